// The same pages through libtiff's CCITT Group 3 one-dimensional codec, in a
// TIFF held in memory.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "faxdoc/PageImage.h"

namespace vl::bench {

// A one-strip, fine-resolution TIFF of the page, written a scanline at a time.
// `out` is replaced. Throws on a libtiff error.
void TiffEncode(const faxdoc::PageImage& page, std::vector<std::uint8_t>& out);
// Reads such a TIFF back a scanline at a time. Throws on a libtiff error.
faxdoc::PageImage TiffDecode(const std::vector<std::uint8_t>& tiff);

}  // namespace vl::bench
