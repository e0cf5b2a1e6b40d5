// Conversions between the own bitmap types and QImage, for the windows, the
// printer path and image files.
#pragma once

#include <QImage>

#include "gfx/ColorBitmap.h"
#include "gfx/MonoBitmap.h"

namespace vl::gfx {

// A Format_Mono image with white as colour 0 and black as colour 1.
QImage ToQImage(const MonoBitmap& bitmap);
// Any QImage; a pixel is black when its grey level is below the middle.
MonoBitmap MonoFromQImage(const QImage& image);
// Any QImage, alpha dropped (transparent pixels count as white).
ColorBitmap ColorFromQImage(const QImage& image);

}  // namespace vl::gfx
