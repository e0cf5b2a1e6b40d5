// The line source for each image file format.
#pragma once

#include "faxdoc/ImageSource.h"

namespace vl::faxdoc {

// The first image of a TIFF file, as one page.
class TiffSource : public ImageSource {
public:
    using ImageSource::ImageSource;

protected:
    const char* DefaultExtension() const override { return "TIF"; }
    int OpenPage(std::span<const std::uint8_t> page, std::unique_ptr<ImageSourceRows>& rows) override;
};

// A monochrome PCX file as one page; images wider than the page are refused.
class PcxSource : public ImageSource {
public:
    using ImageSource::ImageSource;

protected:
    const char* DefaultExtension() const override { return "PCX"; }
    int OpenPage(std::span<const std::uint8_t> page, std::unique_ptr<ImageSourceRows>& rows) override;
};

// Each PCX page of a DCX file in table order.
class DcxSource : public PcxSource {
public:
    using PcxSource::PcxSource;

protected:
    const char* DefaultExtension() const override { return "DCX"; }
    int SplitPages(std::span<const std::uint8_t> file, std::vector<std::span<const std::uint8_t>>& pages) override;
};

// A bitmap file as one page: monochrome as it is, colour dithered. Placed by
// the bitmap rule, which counts the margin on both sides.
class BmpSource : public ImageSource {
public:
    using ImageSource::ImageSource;

protected:
    const char* DefaultExtension() const override { return "BMP"; }
    FitRule Rule() const override { return FitRule::Bitmap; }
    int OpenPage(std::span<const std::uint8_t> page, std::unique_ptr<ImageSourceRows>& rows) override;
};

}  // namespace vl::faxdoc
