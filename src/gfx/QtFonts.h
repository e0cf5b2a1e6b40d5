// The Qt font every drawing of cover and fax text uses, so that the designer's
// screen shows the same glyphs the rendered fax gets.
#pragma once

#include <QFont>

#include "gfx/TextDrawing.h"

namespace vl::gfx {

// Sized in pixels at 96 per inch, antialiasing off, whole-pixel advances.
QFont ToQFont(const FontSpec& spec);

}  // namespace vl::gfx
