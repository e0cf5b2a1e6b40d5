// A picture held in memory as one page: a monochrome bitmap as it is, a colour
// one dithered. The cover sheets reach the fax file this way.
#pragma once

#include "faxdoc/ImageSource.h"
#include "gfx/ColorBitmap.h"
#include "gfx/MonoBitmap.h"

namespace vl::faxdoc {

// The bitmap is not copied: it must stay unchanged while the source is open.
// Open ignores its file name; with no bitmap attached it answers ecBadArgument.
// Placed by the bitmap rule, which counts the margin on both sides.
class BitmapSource : public ImageSource {
public:
    using ImageSource::ImageSource;

    void Attach(const gfx::MonoBitmap* bitmap) {
        mono_ = bitmap;
        color_ = nullptr;
    }
    void Attach(const gfx::ColorBitmap* bitmap) {
        color_ = bitmap;
        mono_ = nullptr;
    }

protected:
    const char* DefaultExtension() const override { return "BMP"; }
    FitRule Rule() const override { return FitRule::Bitmap; }
    int LoadInput(const std::string& fileName, std::vector<std::uint8_t>& file) override;
    int OpenPage(std::span<const std::uint8_t> page, std::unique_ptr<ImageSourceRows>& rows) override;

private:
    const gfx::MonoBitmap* mono_ = nullptr;
    const gfx::ColorBitmap* color_ = nullptr;
};

}  // namespace vl::faxdoc
