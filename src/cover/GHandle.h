// The selection frame's geometry: which zone of the frame the pointer grabs,
// where the frame goes while it is dragged or moved with the keys, and where
// its handle squares are drawn. No drawing and no objects: the design page
// applies the finished frame to the selected objects.
#pragma once

#include <cstdint>
#include <vector>

#include "cover/DesignRect.h"

namespace vl::cover {

// 0 moves; 1..4 are the corners top-left, top-right, bottom-left,
// bottom-right; 5..8 the edge middles top, left, bottom, right.
enum class FrameZone { Move = 0, TopLeft, TopRight, BottomLeft, BottomRight, Top, Left, Bottom, Right };

class GHandle {
public:
    // The grid step while snapping is on; 1 when it is off. At most 32.
    static constexpr int kMaxGrid = 32;
    // A frame never becomes smaller than this.
    static constexpr int kMinExtent = 5;
    // Corner zones reach this far from a corner, edge zones this far from
    // an edge's middle.
    static constexpr int kCornerReach = 8;
    static constexpr int kEdgeReach = 6;
    // The handle squares' side and how far they sit outside the bounds.
    static constexpr int kSquare = 5;
    static constexpr int kSquareMargin = 2;

    // The grid step used for snapping: `grid` (4 or 8) when snapping, else 1.
    void SetSnap(bool snap, int grid);
    int GridX() const { return gridX_; }
    int GridY() const { return gridY_; }

    // The zone under (x, y) for a frame around one object; with several
    // objects selected only moving is possible.
    static FrameZone ZoneAt(const DesignRect& frame, int x, int y, bool oneObject);

    // The frame dragged by (dx, dy) from `start` through `zone`, on a page of
    // pageWidth x pageHeight: clamped to the page, each of left, top, width
    // and height cut down to a multiple of the grid step, never below
    // kMinExtent square.
    DesignRect Dragged(const DesignRect& start, FrameZone zone, int dx, int dy, int pageWidth, int pageHeight) const;

    // One arrow key on the keyboard rectangle: without `resize` a one-pixel
    // move that stops at the left and top edges and never leaves the page on
    // the right or bottom; with it Left/Up shrink while the extent is above
    // 10 and Right/Down grow while the rectangle stays on the page.
    enum class Arrow { Left, Up, Right, Down };
    static DesignRect Keyed(const DesignRect& rect, Arrow arrow, bool resize, int pageWidth, int pageHeight);

    // The 5 x 5 squares drawn around one selected object's bounds enlarged by
    // kSquareMargin: the four corners, and with `edges` the four edge middles.
    static std::vector<DesignRect> Squares(const DesignRect& bounds, bool edges);

private:
    int gridX_ = 1;
    int gridY_ = 1;
};

}  // namespace vl::cover
