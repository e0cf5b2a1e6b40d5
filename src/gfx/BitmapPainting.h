// Lets QPainter draw into part of a monochrome bitmap: the part is copied into
// a grey canvas, painted with antialiasing off and copied back, so whatever the
// painter leaves untouched keeps its colour.
#pragma once

#include <functional>

#include <QPainter>

#include "gfx/MonoBitmap.h"

namespace vl::gfx {

// Paints the area [left, right) x [top, bottom), clipped to the bitmap; the
// painter works in bitmap coordinates. Nothing happens for an empty area.
void PaintArea(MonoBitmap& bitmap, long long left, long long top, long long right, long long bottom,
               const std::function<void(QPainter&)>& paint);

}  // namespace vl::gfx
