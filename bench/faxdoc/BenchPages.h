// The pages the fax benchmark codes: synthetic text and dithered photos, both
// fine resolution at the normal width.
#pragma once

#include "faxdoc/PageImage.h"

namespace vl::bench {

inline constexpr int kBenchPageWidth = 1728;
inline constexpr int kBenchPageHeight = 2200;

// Lines of glyph-like strokes grouped into words and paragraphs, inside
// blank margins.
faxdoc::PageImage TextPage(unsigned seed);
// A gradient with waves and noise, ordered-dithered for even seeds and
// error-diffused for odd ones: short runs everywhere.
faxdoc::PageImage PhotoPage(unsigned seed);

}  // namespace vl::bench
