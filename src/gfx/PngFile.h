// Monochrome bitmaps as PNG files, which is what most Linux tools read.
#pragma once

#include <string>

#include "gfx/MonoBitmap.h"

namespace vl::gfx {

// A one-bit PNG whose two palette colours are white and black. Answers 0
// and fills `file`, or ecCantMakeBitmap for an empty bitmap or one the encoder
// refuses.
int EncodePng(const MonoBitmap& bitmap, std::string& file);

}  // namespace vl::gfx
