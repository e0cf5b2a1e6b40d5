// The interface every producer of raster lines offers to the conversion loop.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "faxdoc/ImageFit.h"

namespace vl::faxdoc {

// A source of raster lines, page by page: 1 = black, bit 7 of byte 0 is the
// leftmost pixel.
//
// Use: Open once; then call ReadLine until it reports endOfPage; when morePages
// is set with it, the next ReadLine delivers the first line of the next page,
// otherwise the document is done. Close may be called at any time (also after a
// failed Open) and is called again by the destructor.
//
// Every call answers 0 or a negative error code; after an error the source is
// not read further.
class LineSource {
public:
    virtual ~LineSource() = default;

    // Opens the named file. A name without an extension gets the source's
    // default extension.
    virtual int Open(const std::string& fileName) = 0;

    // Delivers the next line in `line` (its size is the line length in bytes)
    // with endOfPage clear. At the end of a page `line` is emptied, endOfPage is
    // set and morePages tells whether another page follows.
    virtual int ReadLine(std::vector<std::uint8_t>& line, bool& endOfPage, bool& morePages) = 0;

    virtual void Close() = 0;

    // The program's message loop, for sources whose lines take long to make
    // (dithered colour images): answers 0 or a code that ends the reading.
    virtual void SetYield(std::function<int()>) {}

    // How the current page is placed: doubling for the encoder, halving for
    // the conversion loop. Only image sources place pages.
    virtual ImagePlacement Placement() const { return {}; }

    // Progress through the input, for status reports.
    virtual std::uint64_t BytesRead() const { return 0; }
    virtual std::uint64_t BytesTotal() const { return 0; }
};

}  // namespace vl::faxdoc
