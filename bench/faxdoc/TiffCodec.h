// The same pages through libtiff's CCITT codecs (Group 3 one- and
// two-dimensional, Group 4), in a TIFF held in memory.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "faxdoc/PageImage.h"

namespace vl::bench {

enum class TiffCoding { G3OneDim, G3TwoDim, G4 };

// A one-strip, fine-resolution TIFF of the page, written a scanline at a time.
// `out` is replaced. Throws on a libtiff error.
void TiffEncode(const faxdoc::PageImage& page, TiffCoding coding, std::vector<std::uint8_t>& out);
// Reads such a TIFF back a scanline at a time. Throws on a libtiff error.
faxdoc::PageImage TiffDecode(const std::vector<std::uint8_t>& tiff);

}  // namespace vl::bench
