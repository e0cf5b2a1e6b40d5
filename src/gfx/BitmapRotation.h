// Turning a page bitmap by quarter turns, for viewing faxes that arrived on
// their side or upside down.
#pragma once

#include "gfx/MonoBitmap.h"

namespace vl::gfx {

// The bitmap turned clockwise by `quarterTurns` (0 to 3) quarter turns. A
// quarter or three-quarter turn makes the old height the new width and the
// old width, rounded up to a multiple of 8, the new height: the added rows at
// the bottom are white, so turned pages keep whole-byte sides. Throws
// std::invalid_argument for another count, std::bad_alloc without memory.
MonoBitmap RotateClockwise(const MonoBitmap& source, int quarterTurns);

}  // namespace vl::gfx
