// Fax pages as a multi-page TIFF file: little-endian, a directory a page, each
// page one strip of its T.4 one-dimensional data (compression 3, white is 0).
#pragma once

#include <span>
#include <string>

#include "faxdoc/G3Page.h"

namespace vl::faxdoc {

// 0 with `file` filled, or with `file` untouched: ecBadArgument for no pages
// or more than 65535, ecCantMakeBitmap for a file beyond 32-bit offsets.
int EncodeFaxTiff(std::span<const G3Page> pages, std::string& file);

}  // namespace vl::faxdoc
