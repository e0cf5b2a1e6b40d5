#include "faxdoc/PageExport.h"

#include <algorithm>
#include <cstdint>

#include "base/ErrorCodes.h"
#include "base/TextCase.h"
#include "faxdoc/DcxDirectory.h"
#include "faxdoc/LittleEndian.h"
#include "faxdoc/PcxDecoder.h"
#include "gfx/MonoBitmap.h"
#include "gfx/PngFile.h"

namespace vl::faxdoc {

namespace {

constexpr int kBmpMaxHeight = 32767;
constexpr std::uint32_t kBmpDataOffset = 14 + 40 + 8;

bool Empty(const PageImage& page) { return page.width <= 0 || page.height <= 0; }

// PCX keeps 1 = white; each row is run-length coded on its own.
void PcxRow(std::string& s, const std::uint8_t* row, int bytes) {
    int i = 0;
    while (i < bytes) {
        const std::uint8_t b = static_cast<std::uint8_t>(~row[i]);
        int n = 1;
        while (i + n < bytes && n < 63 && static_cast<std::uint8_t>(~row[i + n]) == b) ++n;
        if (n > 1 || b >= 0xC0) s.push_back(static_cast<char>(0xC0 | n));
        s.push_back(static_cast<char>(b));
        i += n;
    }
}

}  // namespace

bool ParseExportFormat(std::string_view name, ExportFormat& format) {
    const std::string upper = base::UpperAscii(name);
    for (ExportFormat f :
         {ExportFormat::Pcx, ExportFormat::Dcx, ExportFormat::Bmp, ExportFormat::Pbm, ExportFormat::Png}) {
        if (upper == ExportExtension(f)) {
            format = f;
            return true;
        }
    }
    return false;
}

std::string_view ExportExtension(ExportFormat format) {
    switch (format) {
    case ExportFormat::Pcx: return "PCX";
    case ExportFormat::Dcx: return "DCX";
    case ExportFormat::Bmp: return "BMP";
    case ExportFormat::Pbm: return "PBM";
    case ExportFormat::Png: return "PNG";
    }
    return "";
}

int EncodePcx(const PageImage& page, std::string& file) {
    if (Empty(page) || page.width > 0xFFFF || page.height > 0xFFFF || page.stride > 0xFFFF) {
        return base::ecCantMakeBitmap;
    }
    std::string s;
    s.push_back(10);  // maker tag
    s.push_back(2);   // version
    s.push_back(1);   // run-length coded
    s.push_back(1);   // bits per pixel
    Put16(s, 0);
    Put16(s, 0);
    Put16(s, static_cast<unsigned>(page.width - 1));
    Put16(s, static_cast<unsigned>(page.height - 1));
    s.resize(65, '\0');
    s.push_back(1);  // planes
    Put16(s, static_cast<unsigned>(page.stride));
    s.resize(kPcxHeaderSize, '\0');
    for (int y = 0; y < page.height; ++y) PcxRow(s, page.Row(y), page.stride);
    file = std::move(s);
    return base::ecOK;
}

int EncodeDcx(std::span<const PageImage> pages, std::string& file) {
    if (pages.empty() || pages.size() >= kDcxSlots) return base::ecBadArgument;
    std::string s;
    Put32(s, kDcxMagic);
    s.resize(kDcxHeaderSize, '\0');
    for (std::size_t i = 0; i < pages.size(); ++i) {
        std::string pcx;
        if (int rc = EncodePcx(pages[i], pcx); rc != base::ecOK) return rc;
        if (s.size() + pcx.size() > 0xFFFFFFFFu) return base::ecCantMakeBitmap;
        Set32(s, 4 + 4 * i, static_cast<std::uint32_t>(s.size()));
        s += pcx;
    }
    file = std::move(s);
    return base::ecOK;
}

int EncodeBmp(const PageImage& page, std::string& file) {
    if (page.height > kBmpMaxHeight) return base::ecBmpTooTall;
    if (Empty(page)) return base::ecCantMakeBitmap;
    const std::size_t rowSize = (static_cast<std::size_t>(page.stride) + 3) & ~std::size_t{3};
    const std::size_t size = rowSize * page.height + kBmpDataOffset;
    if (size > 0xFFFFFFFFu) return base::ecCantMakeBitmap;
    std::string s;
    s += "BM";
    Put32(s, static_cast<std::uint32_t>(size));
    Put32(s, 0);
    Put32(s, kBmpDataOffset);
    Put32(s, 40);
    Put32(s, static_cast<std::uint32_t>(page.width));
    Put32(s, static_cast<std::uint32_t>(page.height));
    Put16(s, 1);  // planes
    Put16(s, 1);  // bits per pixel
    s.resize(14 + 40, '\0');
    Put32(s, 0x00000000);  // palette: black, then white
    Put32(s, 0x00FFFFFF);
    s.reserve(size);
    for (int y = page.height - 1; y >= 0; --y) {
        const std::uint8_t* row = page.Row(y);
        for (int x = 0; x < page.stride; ++x) s.push_back(static_cast<char>(~row[x]));
        s.append(rowSize - page.stride, '\xFF');
    }
    file = std::move(s);
    return base::ecOK;
}

int EncodePbm(const PageImage& page, std::string& file) {
    if (Empty(page)) return base::ecCantMakeBitmap;
    const int rowBytes = (page.width + 7) / 8;
    std::string s = "P4\n" + std::to_string(page.width) + " " + std::to_string(page.height) + "\n";
    s.reserve(s.size() + static_cast<std::size_t>(rowBytes) * page.height);
    for (int y = 0; y < page.height; ++y) s.append(reinterpret_cast<const char*>(page.Row(y)), rowBytes);
    file = std::move(s);
    return base::ecOK;
}

int EncodePng(const PageImage& page, std::string& file) {
    if (Empty(page) || page.width > gfx::MonoBitmap::kMaxSide || page.height > gfx::MonoBitmap::kMaxSide) {
        return base::ecCantMakeBitmap;
    }
    gfx::MonoBitmap bitmap(page.width, page.height);
    for (int y = 0; y < page.height; ++y) {
        const auto row = bitmap.Row(y);
        std::copy_n(page.Row(y), row.size(), row.begin());
    }
    return gfx::EncodePng(bitmap, file);
}

int EncodePage(const PageImage& page, ExportFormat format, std::string& file) {
    switch (format) {
    case ExportFormat::Pcx: return EncodePcx(page, file);
    case ExportFormat::Dcx: return EncodeDcx(std::span<const PageImage>(&page, 1), file);
    case ExportFormat::Bmp: return EncodeBmp(page, file);
    case ExportFormat::Pbm: return EncodePbm(page, file);
    case ExportFormat::Png: return EncodePng(page, file);
    }
    return base::ecBadArgument;
}

}  // namespace vl::faxdoc
