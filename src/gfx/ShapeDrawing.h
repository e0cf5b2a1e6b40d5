// Outlined and filled shapes and straight lines in black, drawn into
// monochrome bitmaps with antialiasing off; pixels outside the bitmap are
// dropped.
#pragma once

#include "gfx/MonoBitmap.h"
#include "gfx/PixelBox.h"

namespace vl::gfx {

enum class ShapeFill { Clear, White, Black };

// A pen width below 1 draws one pixel wide. A corner diameter of 0 gives
// square corners.
void DrawRectangle(MonoBitmap& bitmap, const PixelBox& box, int penWidth, ShapeFill fill, int cornerDiameter = 0);
void DrawEllipse(MonoBitmap& bitmap, const PixelBox& box, int penWidth, ShapeFill fill);
void DrawLine(MonoBitmap& bitmap, int x0, int y0, int x1, int y1, int penWidth);

}  // namespace vl::gfx
