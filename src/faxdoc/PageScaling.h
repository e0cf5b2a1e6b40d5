// Stretching a page image by rational factors.
#pragma once

#include "faxdoc/PageImage.h"

namespace vl::faxdoc {

// The image stretched to width × horizMult / horizDiv and height × vertMult /
// vertDiv (factors at least 1). A destination pixel is black when any source
// pixel it covers is black, so thin strokes survive shrinking. A result with a
// zero dimension is the empty image. Throws std::bad_alloc for a result beyond
// kMaxScaledBytes.
PageImage ScalePage(const PageImage& page, int horizMult, int horizDiv, int vertMult, int vertDiv);

inline constexpr long long kMaxScaledBytes = 256LL << 20;

}  // namespace vl::faxdoc
