#include "faxdoc/BitmapSource.h"

#include <algorithm>

#include "base/ErrorCodes.h"
#include "faxdoc/BmpDither.h"

namespace vl::faxdoc {
namespace {

class MonoRows : public ImageSourceRows {
public:
    explicit MonoRows(const gfx::MonoBitmap& bitmap)
        : ImageSourceRows(bitmap.Width(), bitmap.Height()), bitmap_(bitmap) {}

    int NextRow(std::span<std::uint8_t> row) override {
        const auto src = bitmap_.Row(y_++);
        std::copy(src.begin(), src.end(), row.begin());
        return base::ecOK;
    }

private:
    const gfx::MonoBitmap& bitmap_;
    int y_ = 0;
};

class DitheredRows : public ImageSourceRows {
public:
    explicit DitheredRows(const gfx::ColorBitmap& bitmap)
        : ImageSourceRows(bitmap.width, bitmap.height), bitmap_(bitmap) {}

    int NextRow(std::span<std::uint8_t> row) override {
        std::fill(row.begin(), row.end(), 0);
        for (int x = 0; x < Width(); ++x) {
            const std::uint32_t c = bitmap_.At(x, y_);
            const int sum = static_cast<int>((c >> 16 & 0xFF) + (c >> 8 & 0xFF) + (c & 0xFF));
            if (sum < DitherThreshold(x, y_)) row[static_cast<std::size_t>(x >> 3)] |= static_cast<std::uint8_t>(0x80 >> (x & 7));
            if (const int rc = AfterPixel(x); rc != base::ecOK) return rc;
        }
        ++y_;
        return base::ecOK;
    }

private:
    const gfx::ColorBitmap& bitmap_;
    int y_ = 0;
};

bool UsableSize(int width, int height) { return width >= 1 && height >= 1 && width <= kMaxImageSide && height <= kMaxImageSide; }

}  // namespace

int BitmapSource::LoadInput(const std::string&, std::vector<std::uint8_t>& file) {
    file.clear();
    return mono_ != nullptr || color_ != nullptr ? base::ecOK : base::ecBadArgument;
}

int BitmapSource::OpenPage(std::span<const std::uint8_t>, std::unique_ptr<ImageSourceRows>& rows) {
    if (mono_ != nullptr) {
        if (!UsableSize(mono_->Width(), mono_->Height())) return base::ecBadGraphicsFormat;
        rows = std::make_unique<MonoRows>(*mono_);
        return base::ecOK;
    }
    // A colour bitmap whose pixel count disagrees with its size would be read out of bounds.
    if (!UsableSize(color_->width, color_->height) ||
        color_->pixels.size() != static_cast<std::size_t>(color_->width) * static_cast<std::size_t>(color_->height))
        return base::ecBadGraphicsFormat;
    rows = std::make_unique<DitheredRows>(*color_);
    return base::ecOK;
}

}  // namespace vl::faxdoc
