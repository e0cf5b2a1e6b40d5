#include "faxdoc/PcxDecoder.h"

#include <algorithm>
#include <vector>

#include "base/ErrorCodes.h"
#include "faxdoc/ImageSourceBytes.h"

namespace vl::faxdoc {
namespace {

constexpr std::uint32_t kManufacturer = 10;
constexpr std::uint32_t kRunLength = 1;
constexpr std::uint8_t kRunMark = 0xC0;
constexpr std::size_t kPaletteAt = 16;
constexpr std::uint32_t kFirstVersionWithPalette = 2;

// Monochrome PCX keeps 1 = white, unless the header's palette says colour 0
// is the brighter one (writers do that for an all-white page). A palette of
// two equal entries, or none in old files, keeps the usual meaning.
bool WhiteIsOne(std::span<const std::uint8_t> file, std::uint32_t version) {
    if (version < kFirstVersionWithPalette) return true;
    const int first = file[kPaletteAt] + file[kPaletteAt + 1] + file[kPaletteAt + 2];
    const int second = file[kPaletteAt + 3] + file[kPaletteAt + 4] + file[kPaletteAt + 5];
    return first <= second;
}

class PcxRows : public ImageSourceRows {
public:
    PcxRows(std::span<const std::uint8_t> data, int width, int height, std::size_t bytesPerLine, bool carryRuns,
            bool whiteIsOne)
        : ImageSourceRows(width, height), data_(data), line_(bytesPerLine), carryRuns_(carryRuns),
          flip_(whiteIsOne ? 0xFF : 0x00) {}

    // Bytes beyond the width (the line's padding) are decoded and dropped.
    int NextRow(std::span<std::uint8_t> row) override {
        std::size_t filled = 0;
        if (!carryRuns_) pending_ = 0;
        while (filled < line_.size()) {
            if (pending_ > 0) {
                const std::size_t run = std::min(pending_, line_.size() - filled);
                std::fill_n(line_.begin() + static_cast<std::ptrdiff_t>(filled), run, runByte_);
                filled += run;
                pending_ -= run;
                continue;
            }
            if (pos_ >= data_.size()) return base::ecBadGraphicsFormat;
            const std::uint8_t b = data_[pos_++];
            if (b < kRunMark) {
                line_[filled++] = b;
                continue;
            }
            if (pos_ >= data_.size()) return base::ecBadGraphicsFormat;
            runByte_ = data_[pos_++];
            pending_ = b & 0x3F;
        }
        if (!carryRuns_) pending_ = 0;
        for (std::size_t i = 0; i < row.size(); ++i) row[i] = static_cast<std::uint8_t>(line_[i] ^ flip_);
        MaskLastByte(row);
        return base::ecOK;
    }

private:
    std::span<const std::uint8_t> data_;
    std::vector<std::uint8_t> line_;
    bool carryRuns_;
    std::uint8_t flip_;
    std::size_t pos_ = 0;
    std::size_t pending_ = 0;
    std::uint8_t runByte_ = 0;
};

}  // namespace

int OpenPcxPage(std::span<const std::uint8_t> file, int maxWidth, std::unique_ptr<ImageSourceRows>& rows) {
    const ImageSourceBytes in(file);
    std::uint32_t maker = 0, version = 0, encoding = 0, bits = 0, xmin = 0, ymin = 0, xmax = 0, ymax = 0;
    std::uint32_t planes = 0, bytesPerLine = 0;
    if (file.size() < kPcxHeaderSize) return base::ecBadGraphicsFormat;
    in.Get8(0, maker);
    in.Get8(1, version);
    in.Get8(2, encoding);
    in.Get8(3, bits);
    in.Get16(4, xmin);
    in.Get16(6, ymin);
    in.Get16(8, xmax);
    in.Get16(10, ymax);
    in.Get8(65, planes);
    in.Get16(66, bytesPerLine);
    if (maker != kManufacturer || encoding != kRunLength || bits != 1 || planes > 1) return base::ecBadGraphicsFormat;
    if (xmax < xmin || ymax < ymin || xmax - xmin > static_cast<std::uint32_t>(maxWidth))
        return base::ecBadGraphicsFormat;
    const int width = static_cast<int>(xmax - xmin + 1);
    const int height = static_cast<int>(ymax - ymin + 1);
    if (width > kMaxImageSide || height > kMaxImageSide || bytesPerLine < (xmax - xmin + 8) / 8)
        return base::ecBadGraphicsFormat;
    // Old writers cut runs at the end of each line; newer ones let them run on.
    const bool carryRuns = version > 3;
    rows = std::make_unique<PcxRows>(file.subspan(kPcxHeaderSize), width, height, bytesPerLine, carryRuns,
                                     WhiteIsOne(file, version));
    return base::ecOK;
}

}  // namespace vl::faxdoc
