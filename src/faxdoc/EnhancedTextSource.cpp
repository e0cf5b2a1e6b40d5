#include "faxdoc/EnhancedTextSource.h"

#include <algorithm>
#include <cstdint>

#include "base/ErrorCodes.h"
#include "faxdoc/TextCharacters.h"

namespace vl::faxdoc {
namespace {

constexpr std::int64_t kMaxBitmapBytes = 65536;

// The eight pixels of a byte, each doubled, as two bytes.
std::uint16_t Doubled(std::uint8_t bits) {
    std::uint16_t wide = 0;
    for (int bit = 0; bit < 8; ++bit) {
        if (bits & (1u << bit)) wide = static_cast<std::uint16_t>(wide | (3u << (2 * bit)));
    }
    return wide;
}

}  // namespace

EnhancedTextSource::EnhancedTextSource(const TextPageLayout& layout, const gfx::FontSpec& font)
    : TextSource(layout), font_(font) {
    if (layout.highResolution) font_.points *= 2;
}

int EnhancedTextSource::Prepare() {
    if (prepared_) return base::ecOK;
    if (int rc = CheckLayout(); rc != base::ecOK) return rc;
    const int width = Layout().width - Layout().leftMargin;
    const int height = gfx::MeasureText(font_, "Wy").height;
    if (height <= 0) return base::ecCantMakeBitmap;
    if (static_cast<std::int64_t>((width + 7) / 8) * height > kMaxBitmapBytes) return base::ecFontTooLarge;
    for (auto& bitmap : bitmaps_) bitmap = gfx::MonoBitmap(width, height);
    height_ = height;
    prepared_ = true;
    return base::ecOK;
}

std::size_t EnhancedTextSource::MaxCharacters() const {
    // Every spacing character is at least a pixel wide, so no more than this
    // many can show.
    return static_cast<std::size_t>(bitmaps_[0].Width());
}

void EnhancedTextSource::SetLine(LineSlot slot, std::u32string_view text) {
    gfx::MonoBitmap& bitmap = bitmaps_[static_cast<std::size_t>(slot)];
    bitmap.Fill(false);
    gfx::DrawText(bitmap, 0, 0, ToUtf8(text), font_);
}

void EnhancedTextSource::DeliverRow(LineSlot slot, int row, std::vector<std::uint8_t>& raster) const {
    raster.assign(static_cast<std::size_t>(Layout().width / 8), 0);
    const auto bits = bitmaps_[static_cast<std::size_t>(slot)].Row(row);
    if (Layout().highResolution) {
        std::copy_n(bits.begin(), std::min(bits.size(), raster.size()), raster.begin());
        return;
    }
    const std::size_t half = (bits.size() + 1) / 2;
    for (std::size_t i = 0; i < half && 2 * i < raster.size(); ++i) {
        const std::uint16_t wide = Doubled(bits[i]);
        raster[2 * i] = static_cast<std::uint8_t>(wide >> 8);
        if (2 * i + 1 < raster.size()) raster[2 * i + 1] = static_cast<std::uint8_t>(wide & 0xFF);
    }
}

}  // namespace vl::faxdoc
