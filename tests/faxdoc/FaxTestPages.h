// Rasters, MH streams and damage for the fax document tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "faxdoc/PageImage.h"

namespace vl::faxtest {

using Bytes = std::vector<std::uint8_t>;
using Lines = std::vector<Bytes>;

// A white raster of full-width rows (stride width / 8).
faxdoc::PageImage BlankRaster(int width, int height);
// Rows of glyph-like blobs and word gaps, a few full black rows, blank margins.
faxdoc::PageImage TextLikeRaster(int width, int height, unsigned seed);
// Independent pixels, black with the given probability.
faxdoc::PageImage NoiseRaster(int width, int height, unsigned seed, double black);
// A photo-like page: a gradient with waves, ordered-dithered, so that short
// runs shift a little from line to line.
faxdoc::PageImage DitheredRaster(int width, int height, unsigned seed);
void SetPixel(faxdoc::PageImage& image, int x, int y);
Lines RowsOf(const faxdoc::PageImage& image);

// The raster coded by pbmtog3, bit 0 of each byte first (-reversebits);
// -nofixedwidth is added for widths other than 1728.
Bytes Pbmtog3(const faxdoc::PageImage& raster);

// A stream from code words written as '0'/'1' characters in transmission
// order; blanks are ignored. The last byte is padded with zeros.
Bytes StreamOf(const std::string& bitText);

// The same stream as line records, cut after the byte that ends each EOL.
Bytes AsLineRecords(const Bytes& rawStream);

}  // namespace vl::faxtest
