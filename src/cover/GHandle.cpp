#include "cover/GHandle.h"

#include <algorithm>
#include <cstdlib>

namespace vl::cover {

namespace {

bool Near(int x, int y, int px, int py, int reach) { return std::abs(x - px) <= reach && std::abs(y - py) <= reach; }

// A clamp that never fails: when the range is empty the lower bound wins, so
// a frame larger than the page keeps its left or top on the page.
int Clamped(int value, int low, int high) { return std::max(low, std::min(value, high)); }

int Snapped(int value, int step) { return step * (value / step); }

bool MovesLeft(FrameZone zone) {
    return zone == FrameZone::TopLeft || zone == FrameZone::BottomLeft || zone == FrameZone::Left;
}
bool MovesRight(FrameZone zone) {
    return zone == FrameZone::TopRight || zone == FrameZone::BottomRight || zone == FrameZone::Right;
}
bool MovesTop(FrameZone zone) {
    return zone == FrameZone::TopLeft || zone == FrameZone::TopRight || zone == FrameZone::Top;
}
bool MovesBottom(FrameZone zone) {
    return zone == FrameZone::BottomLeft || zone == FrameZone::BottomRight || zone == FrameZone::Bottom;
}

}  // namespace

void GHandle::SetSnap(bool snap, int grid) {
    const int step = snap ? std::clamp(grid, 1, kMaxGrid) : 1;
    gridX_ = step;
    gridY_ = step;
}

FrameZone GHandle::ZoneAt(const DesignRect& frame, int x, int y, bool oneObject) {
    if (!oneObject) return FrameZone::Move;
    const int left = frame.left, top = frame.top, right = frame.Right(), bottom = frame.Bottom();
    if (Near(x, y, left, top, kCornerReach)) return FrameZone::TopLeft;
    if (Near(x, y, right, top, kCornerReach)) return FrameZone::TopRight;
    if (Near(x, y, left, bottom, kCornerReach)) return FrameZone::BottomLeft;
    if (Near(x, y, right, bottom, kCornerReach)) return FrameZone::BottomRight;
    const int middleX = left + frame.width / 2, middleY = top + frame.height / 2;
    if (Near(x, y, middleX, top, kEdgeReach)) return FrameZone::Top;
    if (Near(x, y, left, middleY, kEdgeReach)) return FrameZone::Left;
    if (Near(x, y, middleX, bottom, kEdgeReach)) return FrameZone::Bottom;
    if (Near(x, y, right, middleY, kEdgeReach)) return FrameZone::Right;
    return FrameZone::Move;
}

// Only the values the drag changes are snapped: a move keeps the frame's
// size, and a drag of the right edge keeps its left.
DesignRect GHandle::Dragged(const DesignRect& start, FrameZone zone, int dx, int dy, int pageWidth,
                            int pageHeight) const {
    if (zone == FrameZone::Move) {
        DesignRect moved = start;
        moved.left = Snapped(Clamped(start.left + dx, 0, pageWidth - start.width), gridX_);
        moved.top = Snapped(Clamped(start.top + dy, 0, pageHeight - start.height), gridY_);
        return moved;
    }
    int left = start.left, top = start.top, right = start.Right(), bottom = start.Bottom();
    if (MovesLeft(zone)) left = Clamped(left + dx, 0, right - kMinExtent);
    if (MovesRight(zone)) right = Clamped(right + dx, left + kMinExtent, pageWidth);
    if (MovesTop(zone)) top = Clamped(top + dy, 0, bottom - kMinExtent);
    if (MovesBottom(zone)) bottom = Clamped(bottom + dy, top + kMinExtent, pageHeight);
    DesignRect frame{left, top, right - left, bottom - top};
    if (MovesLeft(zone)) frame.left = Snapped(frame.left, gridX_);
    if (MovesTop(zone)) frame.top = Snapped(frame.top, gridY_);
    if (MovesLeft(zone) || MovesRight(zone)) frame.width = std::max(Snapped(frame.width, gridX_), kMinExtent);
    if (MovesTop(zone) || MovesBottom(zone)) frame.height = std::max(Snapped(frame.height, gridY_), kMinExtent);
    return frame;
}

DesignRect GHandle::Keyed(const DesignRect& rect, Arrow arrow, bool resize, int pageWidth, int pageHeight) {
    constexpr int kSmallest = 10;
    DesignRect keyed = rect;
    const bool roomRight = rect.Right() < pageWidth;
    const bool roomBelow = rect.Bottom() < pageHeight;
    switch (arrow) {
        case Arrow::Left:
            if (resize && rect.width > kSmallest) --keyed.width;
            else if (!resize && rect.left > 0) --keyed.left;
            break;
        case Arrow::Up:
            if (resize && rect.height > kSmallest) --keyed.height;
            else if (!resize && rect.top > 0) --keyed.top;
            break;
        case Arrow::Right:
            if (roomRight) ++(resize ? keyed.width : keyed.left);
            break;
        case Arrow::Down:
            if (roomBelow) ++(resize ? keyed.height : keyed.top);
            break;
    }
    return keyed;
}

std::vector<DesignRect> GHandle::Squares(const DesignRect& bounds, bool edges) {
    // The squares' outer corners lie on the enlarged bounds.
    const int left = bounds.left - kSquareMargin, top = bounds.top - kSquareMargin;
    const int right = bounds.Right() + kSquareMargin - kSquare, bottom = bounds.Bottom() + kSquareMargin - kSquare;
    const auto square = [](int x, int y) { return DesignRect{x, y, kSquare, kSquare}; };
    std::vector<DesignRect> squares{square(left, top), square(right, top), square(left, bottom), square(right, bottom)};
    if (edges) {
        const int middleX = bounds.left + bounds.width / 2 - kSquare / 2;
        const int middleY = bounds.top + bounds.height / 2 - kSquare / 2;
        squares.insert(squares.end(), {square(middleX, top), square(left, middleY), square(middleX, bottom),
                                       square(right, middleY)});
    }
    return squares;
}

}  // namespace vl::cover
