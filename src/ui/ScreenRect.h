// Qt rectangles as the placement arithmetic's rectangles (right and bottom
// exclusive) and back.
#pragma once

#include <QRect>

#include "app/Placement.h"

namespace vl::ui {

inline app::Rect ToRect(const QRect& r) { return {r.x(), r.y(), r.x() + r.width(), r.y() + r.height()}; }

inline QRect ToQRect(const app::Rect& r) { return QRect(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top); }

}  // namespace vl::ui
