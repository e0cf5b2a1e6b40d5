#include "cover/GraphicControl.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "base/ErrorCodes.h"

namespace vl::cover {

namespace {

// Rounds with the default rounding mode: halves go to the even neighbour.
std::int32_t Scaled(std::int32_t value, double ratio) {
    const double scaled = std::nearbyint(static_cast<double>(value) * ratio);
    return static_cast<std::int32_t>(std::clamp(scaled, static_cast<double>(std::numeric_limits<std::int32_t>::min()),
                                                static_cast<double>(std::numeric_limits<std::int32_t>::max())));
}

}  // namespace

GraphicControl::GraphicControl(RecordKind kind, bool keepsExtent, std::int32_t width, std::int32_t height)
    : kind_(kind), keepsExtent_(keepsExtent), width_(width), height_(height) {}

void GraphicControl::SetBounds(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height) {
    left_ = left;
    top_ = top;
    width_ = keepsExtent_ ? std::max(width, 1) : width;
    height_ = keepsExtent_ ? std::max(height, 1) : height;
}

int GraphicControl::SetZoom(float zoom) {
    if (!std::isfinite(zoom) || zoom <= 0) return base::ecBadArgument;
    const double ratio = static_cast<double>(zoom) / static_cast<double>(zoom_);
    SetBounds(Scaled(left_, ratio), Scaled(top_, ratio), Scaled(width_, ratio), Scaled(height_, ratio));
    zoom_ = zoom;
    return base::ecOK;
}

int GraphicControl::AdoptZoom(float zoom) {
    if (!std::isfinite(zoom) || zoom <= 0) return base::ecBadArgument;
    zoom_ = zoom;
    return base::ecOK;
}

}  // namespace vl::cover
