// netpbm images, as the oracles write them, read back as black and white
// pixels and compared with a page image.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "faxdoc/PageImage.h"

namespace vl::faxtest {

// A netpbm image (P4, P5 or P6) as black/white pixels; black is value 0 for
// the grey and colour forms.
struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<bool> black;
};

// The image that starts at `at`; `at` moves past it, to the next image of a
// stream of several.
Pixels ReadPnmAt(const std::string& data, std::size_t& at);
inline Pixels ReadPnm(const std::string& data) {
    std::size_t at = 0;
    return ReadPnmAt(data, at);
}

// The pixels are the page's; an image `width` pixels wide (more than the
// page's own width) is white beyond the page.
void ExpectPixels(const Pixels& got, const faxdoc::PageImage& page, int width);
inline void ExpectPixels(const Pixels& got, const faxdoc::PageImage& page) { ExpectPixels(got, page, page.width); }

}  // namespace vl::faxtest
