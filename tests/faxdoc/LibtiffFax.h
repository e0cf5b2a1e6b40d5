// libtiff and its tools as the other side of the MR and MMR tests: pages we
// code, wrapped in a TIFF for libtiff to decode, and pages libtiff codes for
// ours to decode. Tool failures fail the calling test.
#pragma once

#include <string>

#include "FaxTestPages.h"
#include "PnmPixels.h"

namespace vl::faxtest {

enum class TiffFax { G3TwoDim, G4 };

// `stream` (first bit in bit 0) as the one strip of a TIFF of `width` x
// `rows` pixels (Compression 3 with T4Options 2-D, or Compression 4), decoded
// by tifftopnm.
Pixels LibtiffDecode(const Bytes& stream, TiffFax kind, int width, int rows, bool fine);

// The page through pnmtotiff (white is 0) and then tiffcp -c `compression` (g3:2d,
// g3:2d:fill, g4) into one strip: the strip's bytes, first bit in bit 0.
Bytes LibtiffEncode(const faxdoc::PageImage& page, const std::string& compression);

// Pixels where the decoded image and the page differ, counting every pixel of
// a missing or extra row or column.
long PixelDifferences(const Pixels& got, const faxdoc::PageImage& page);

}  // namespace vl::faxtest
