// A straight line through the object's bounds.
#pragma once

#include "cover/CoverPen.h"
#include "cover/GraphicControl.h"

namespace vl::cover {

enum class LineStyle { Horizontal = 0, Vertical, AngleSlopingUp, AngleSlopingDown };

class FaxCoverLine : public GraphicControl {
public:
    FaxCoverLine() : GraphicControl(RecordKind::Line, false, 10, 10) {}

    LineStyle lineStyle = LineStyle::Horizontal;
    CoverPen pen;
};

}  // namespace vl::cover
