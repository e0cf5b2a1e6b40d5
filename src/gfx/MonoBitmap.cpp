#include "gfx/MonoBitmap.h"

#include <algorithm>
#include <stdexcept>

namespace vl::gfx {

MonoBitmap::MonoBitmap(int width, int height) {
    if (width < 0 || height < 0) throw std::invalid_argument("MonoBitmap: negative size");
    if (width > kMaxSide || height > kMaxSide) throw std::length_error("MonoBitmap: side too large");
    width_ = width;
    height_ = height;
    bits_.assign(static_cast<std::size_t>(BytesPerRow()) * static_cast<std::size_t>(height), 0);
}

std::span<std::uint8_t> MonoBitmap::Row(int y) {
    const auto stride = static_cast<std::size_t>(BytesPerRow());
    return std::span<std::uint8_t>(bits_).subspan(static_cast<std::size_t>(y) * stride, stride);
}

std::span<const std::uint8_t> MonoBitmap::Row(int y) const {
    const auto stride = static_cast<std::size_t>(BytesPerRow());
    return std::span<const std::uint8_t>(bits_).subspan(static_cast<std::size_t>(y) * stride, stride);
}

bool MonoBitmap::Black(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return false;
    return (Row(y)[static_cast<std::size_t>(x) / 8] >> (7 - x % 8) & 1) != 0;
}

void MonoBitmap::SetBlack(int x, int y, bool black) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    std::uint8_t& byte = Row(y)[static_cast<std::size_t>(x) / 8];
    const auto mask = static_cast<std::uint8_t>(0x80u >> (x % 8));
    byte = black ? static_cast<std::uint8_t>(byte | mask) : static_cast<std::uint8_t>(byte & ~mask);
}

void MonoBitmap::Fill(bool black) {
    std::fill(bits_.begin(), bits_.end(), black ? 0xFF : 0x00);
    ClearPadding();
}

void MonoBitmap::Invert() {
    for (auto& byte : bits_) byte = static_cast<std::uint8_t>(~byte);
    ClearPadding();
}

void MonoBitmap::ClearPadding() {
    const int used = width_ % 8;
    if (used == 0) return;
    const auto keep = static_cast<std::uint8_t>(0xFFu << (8 - used));
    for (int y = 0; y < height_; ++y) Row(y).back() &= keep;
}

}  // namespace vl::gfx
