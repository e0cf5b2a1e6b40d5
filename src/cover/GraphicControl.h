// The common part of every object on a cover page: its bounds in design-page
// pixels, the stored flags, and the run-time zoom.
#pragma once

#include <cstdint>
#include <string>

#include "cover/RenderRecord.h"

namespace vl::cover {

class GraphicControl {
public:
    virtual ~GraphicControl() = default;
    GraphicControl(const GraphicControl&) = default;
    GraphicControl& operator=(const GraphicControl&) = default;

    RecordKind Kind() const { return kind_; }
    // Text objects report true: their width and height never drop below 1.
    bool KeepsExtent() const { return keepsExtent_; }

    std::int32_t Left() const { return left_; }
    std::int32_t Top() const { return top_; }
    std::int32_t Width() const { return width_; }
    std::int32_t Height() const { return height_; }
    void SetBounds(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height);

    // Scales the bounds by zoom / Zoom(), each rounded to the nearest integer
    // with halves to the even neighbour. ecBadArgument for a zoom that is not
    // a positive number.
    int SetZoom(float zoom);
    float Zoom() const { return zoom_; }
    // The zoom the bounds are already in, for an object made from zoomed
    // pixels: nothing is scaled. ecBadArgument as for SetZoom.
    int AdoptZoom(float zoom);

    std::string name;
    std::int32_t tag = 0;
    std::int16_t cursor = 0;
    std::string hint;
    bool locked = false;
    bool unselectable = false;

protected:
    GraphicControl(RecordKind kind, bool keepsExtent, std::int32_t width, std::int32_t height);

private:
    RecordKind kind_;
    bool keepsExtent_;
    std::int32_t left_ = 0;
    std::int32_t top_ = 0;
    std::int32_t width_;
    std::int32_t height_;
    float zoom_ = 1.0F;
};

}  // namespace vl::cover
