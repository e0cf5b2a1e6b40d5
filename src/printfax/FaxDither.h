// Grey pages made black and white for the fax.
#pragma once

#include <QImage>

#include "gfx/MonoBitmap.h"

namespace vl::printfax {

// Grey levels at or below this are black as they are, at or above
// kNearWhite white: text and line art stay sharp, with no dither noise at
// their edges.
inline constexpr int kNearBlack = 32;
inline constexpr int kNearWhite = 224;

// An 8-bit grey image no wider than the fax line, centred on a page of the
// fax width; the grey levels between kNearBlack and kNearWhite are spread
// into black and white by error diffusion (Floyd-Steinberg), so photographs
// keep their shades.
gfx::MonoBitmap DitherToFax(const QImage& grey);

}  // namespace vl::printfax
