#include "faxdoc/FaxFont.h"

#include <algorithm>
#include <stdexcept>

#include "faxdoc/FaxFontData.h"

namespace vl::faxdoc {

namespace {

constexpr FaxFontCell kSmallCell{12, 8, 2, 16, 0};
constexpr FaxFontCell kStandardCell{20, 16, 3, 48, 256 * 16};

static_assert(kStandardCell.offset + 256 * kStandardCell.bytesPerGlyph == kFaxFontDataSize);

bool PixelSet(std::span<const std::uint8_t> row, int x) {
    return (row[static_cast<std::size_t>(x / 8)] >> (7 - x % 8)) & 1;
}

}  // namespace

FaxFontCell FaxFontCellOf(FaxFontSize size) {
    return size == FaxFontSize::Small ? kSmallCell : kStandardCell;
}

FaxFont::FaxFont(FaxFontSize size, bool highResolution)
    : cell_(FaxFontCellOf(size)), rowRepeat_(highResolution ? 2 : 1) {}

std::span<const std::uint8_t> FaxFont::GlyphRow(std::uint8_t code, int row) const {
    if (row < 0 || row >= GlyphHeight()) throw std::out_of_range("fax font glyph row out of range");
    const std::size_t start = cell_.offset +
                              static_cast<std::size_t>(code) * static_cast<std::size_t>(cell_.bytesPerGlyph) +
                              static_cast<std::size_t>(row / rowRepeat_ * cell_.bytesPerRow);
    return std::span<const std::uint8_t>(kFaxFontData).subspan(start, static_cast<std::size_t>(cell_.bytesPerRow));
}

int FaxFont::GlyphsThatFit(int pixels) const { return pixels > 0 ? pixels / cell_.width : 0; }

std::size_t FaxFont::RenderRow(std::string_view latin1, int row, std::span<std::uint8_t> raster,
                               int widthPixels) const {
    if (row < 0 || row >= GlyphHeight()) throw std::out_of_range("fax font glyph row out of range");
    const long long limit = std::min<long long>(std::max(widthPixels, 0), static_cast<long long>(raster.size()) * 8);
    const long long inked = std::min<long long>(static_cast<long long>(latin1.size()) * cell_.width, limit);
    const auto used = static_cast<std::size_t>((inked + 7) / 8);
    std::fill_n(raster.begin(), static_cast<std::size_t>((limit + 7) / 8), std::uint8_t{0});
    long long left = 0;
    for (char c : latin1) {
        if (left >= inked) break;
        const auto glyph = GlyphRow(static_cast<std::uint8_t>(c), row);
        for (int x = 0; x < cell_.width && left + x < inked; ++x) {
            if (!PixelSet(glyph, x)) continue;
            const long long pixel = left + x;
            raster[static_cast<std::size_t>(pixel / 8)] |= static_cast<std::uint8_t>(0x80 >> (pixel % 8));
        }
        left += cell_.width;
    }
    return used;
}

std::vector<std::vector<std::uint8_t>> FaxFont::RenderLine(std::string_view latin1, int widthPixels) const {
    const auto bytes = static_cast<std::size_t>((std::max(widthPixels, 0) + 7) / 8);
    std::vector<std::vector<std::uint8_t>> rows(static_cast<std::size_t>(GlyphHeight()),
                                                std::vector<std::uint8_t>(bytes, 0));
    for (int row = 0; row < GlyphHeight(); ++row) {
        RenderRow(latin1, row, rows[static_cast<std::size_t>(row)], widthPixels);
    }
    return rows;
}

}  // namespace vl::faxdoc
