// How the cover designer draws one page object on screen: at its bounds and
// zoom, clipped to its bounds, the way the printed cover will look.
#pragma once

class QPainter;

namespace vl::cover {
class GraphicControl;
}

namespace vl::ui {

// Paints the object in page coordinates (the painter's origin is the page's
// top-left corner). The painter's state is left as it was.
void PaintCoverObject(QPainter& painter, const cover::GraphicControl& object);

}  // namespace vl::ui
