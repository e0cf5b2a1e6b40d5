#include "faxdoc/BmpDecoder.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "base/ErrorCodes.h"
#include "faxdoc/BmpDither.h"
#include "faxdoc/ImageSourceBytes.h"

namespace vl::faxdoc {
namespace {

constexpr std::uint64_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kUncompressed = 0;
// Half the brightest R + G + B: the split between a black and a white palette entry.
constexpr int kMonoSplit = 383;

struct Rgb {
    int r = 0, g = 0, b = 0;
    int Sum() const { return r + g + b; }
};

class BmpRows : public ImageSourceRows {
public:
    BmpRows(std::span<const std::uint8_t> pixels, int width, int height, bool bottomUp, int bits,
            std::size_t stride, std::vector<Rgb> palette)
        : ImageSourceRows(width, height), pixels_(pixels), bottomUp_(bottomUp), bits_(bits),
          stride_(stride), palette_(std::move(palette)) {}

    int NextRow(std::span<std::uint8_t> row) override {
        const int fileRow = bottomUp_ ? Height() - 1 - y_ : y_;
        const std::span<const std::uint8_t> src = pixels_.subspan(static_cast<std::size_t>(fileRow) * stride_, stride_);
        std::fill(row.begin(), row.end(), 0);
        for (int x = 0; x < Width(); ++x) {
            const Rgb c = Pixel(src, x);
            const bool black = bits_ == 1 ? c.Sum() < kMonoSplit : c.Sum() < DitherThreshold(x, y_);
            if (black) row[x >> 3] |= static_cast<std::uint8_t>(0x80 >> (x & 7));
            if (bits_ != 1)
                if (const int rc = AfterPixel(x); rc != base::ecOK) return rc;
        }
        ++y_;
        return base::ecOK;
    }

private:
    // Indexes past the palette read as black.
    Rgb Entry(unsigned index) const { return index < palette_.size() ? palette_[index] : Rgb{}; }

    Rgb Pixel(std::span<const std::uint8_t> src, int x) const {
        const std::size_t at = static_cast<std::size_t>(x);
        switch (bits_) {
            case 1: return Entry((src[at >> 3] >> (7 - (at & 7))) & 1);
            case 4: return Entry((src[at >> 1] >> ((at & 1) ? 0 : 4)) & 0xF);
            case 8: return Entry(src[at]);
            case 16: {
                const unsigned v = src[2 * at] | (src[2 * at + 1] << 8);
                return {static_cast<int>(((v >> 10) & 31) * 255 / 31), static_cast<int>(((v >> 5) & 31) * 255 / 31),
                        static_cast<int>((v & 31) * 255 / 31)};
            }
            default: {
                const std::size_t p = at * static_cast<std::size_t>(bits_ / 8);
                return {src[p + 2], src[p + 1], src[p]};
            }
        }
    }

    std::span<const std::uint8_t> pixels_;
    bool bottomUp_;
    int bits_;
    std::size_t stride_;
    std::vector<Rgb> palette_;
    int y_ = 0;
};

}  // namespace

int OpenBmpPage(std::span<const std::uint8_t> file, std::unique_ptr<ImageSourceRows>& rows) {
    const ImageSourceBytes in(file);
    std::uint32_t dataAt = 0, infoSize = 0, rawWidth = 0, rawHeight = 0, planes = 0, bits = 0, compression = 0;
    std::uint32_t colorsUsed = 0;
    if (file.size() < kFileHeaderSize + kInfoHeaderSize || file[0] != 'B' || file[1] != 'M')
        return base::ecBadGraphicsFormat;
    in.Get32(10, dataAt);
    in.Get32(14, infoSize);
    in.Get32(18, rawWidth);
    in.Get32(22, rawHeight);
    in.Get16(26, planes);
    in.Get16(28, bits);
    in.Get32(30, compression);
    in.Get32(46, colorsUsed);
    const std::int64_t width = static_cast<std::int32_t>(rawWidth);
    const std::int64_t signedHeight = static_cast<std::int32_t>(rawHeight);
    const std::int64_t height = std::llabs(signedHeight);
    const bool knownDepth = bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
    if (infoSize < kInfoHeaderSize || planes != 1 || !knownDepth || compression != kUncompressed ||
        width < 1 || width > kMaxImageSide || height < 1 || height > kMaxImageSide)
        return base::ecBadGraphicsFormat;
    std::vector<Rgb> palette;
    if (bits <= 8) {
        const std::uint32_t full = 1u << bits;
        const std::uint32_t count = colorsUsed == 0 || colorsUsed > full ? full : colorsUsed;
        const std::uint64_t paletteAt = kFileHeaderSize + infoSize;
        if (!in.Has(paletteAt, 4ull * count)) return base::ecBadGraphicsFormat;
        for (std::uint32_t i = 0; i < count; ++i) {
            const std::uint64_t at = paletteAt + 4ull * i;
            palette.push_back({file[at + 2], file[at + 1], file[at]});
        }
    }
    const std::uint64_t stride = (static_cast<std::uint64_t>(width) * bits + 31) / 32 * 4;
    if (!in.Has(dataAt, stride * static_cast<std::uint64_t>(height))) return base::ecBadGraphicsFormat;
    rows = std::make_unique<BmpRows>(file.subspan(dataAt, stride * height), static_cast<int>(width),
                                     static_cast<int>(height), signedHeight > 0, static_cast<int>(bits), stride,
                                     std::move(palette));
    return base::ecOK;
}

}  // namespace vl::faxdoc
