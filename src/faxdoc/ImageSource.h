// Line sources over image files: TIFF, PCX, DCX and BMP.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "faxdoc/ImageFit.h"
#include "faxdoc/ImageSourceRows.h"
#include "faxdoc/LineSource.h"

namespace vl::faxdoc {

// Reads the whole file at Open and delivers its pages line by line. Every line
// is exactly pageWidth / 8 bytes: the page's placement offset in white bytes,
// then the image row, cut at the right edge and padded white. The placement
// (doubling, halving, offset) is decided for each page when its first line is
// read and stays available through Placement(); the encoder applies the
// doubling and the conversion loop the halving.
//
// Errors: ecBadGraphicsFormat for files that are not a supported image or are
// damaged (also found mid-page), ecBadArgument for a page width that is not a
// positive multiple of 8, negative I/O codes when the file cannot be read.
class ImageSource : public LineSource {
public:
    explicit ImageSource(const FitRequest& fit) : fit_(fit) {}

    int Open(const std::string& fileName) override;
    int ReadLine(std::vector<std::uint8_t>& line, bool& endOfPage, bool& morePages) override;
    void Close() override;
    void SetYield(std::function<int()> yield) override { yield_.SetHook(std::move(yield)); }

    ImagePlacement Placement() const override { return placement_; }
    std::uint64_t BytesRead() const override;
    std::uint64_t BytesTotal() const override { return file_.size(); }
    // Width and height in pixels of the current page (0 before Open).
    int ImageWidth() const { return rows_ ? rows_->Width() : 0; }
    int ImageHeight() const { return rows_ ? rows_->Height() : 0; }

protected:
    // "TIF", "PCX", "DCX" or "BMP": added to names without an extension.
    virtual const char* DefaultExtension() const = 0;
    virtual FitRule Rule() const { return FitRule::File; }
    // The whole input; by default the named file, read at once.
    virtual int LoadInput(const std::string& fileName, std::vector<std::uint8_t>& file);
    // The file's pages; one page unless the format holds several.
    virtual int SplitPages(std::span<const std::uint8_t> file, std::vector<std::span<const std::uint8_t>>& pages);
    virtual int OpenPage(std::span<const std::uint8_t> page, std::unique_ptr<ImageSourceRows>& rows) = 0;
    const FitRequest& Fit() const { return fit_; }

private:
    int StartPage();

    FitRequest fit_;
    ImagePlacement placement_;
    std::vector<std::uint8_t> file_;
    std::vector<std::span<const std::uint8_t>> pages_;
    std::size_t page_ = 0;
    bool pageStarted_ = false;
    std::unique_ptr<ImageSourceRows> rows_;
    PixelYield yield_;
    int rowsRead_ = 0;
    std::vector<std::uint8_t> row_;
};

}  // namespace vl::faxdoc
