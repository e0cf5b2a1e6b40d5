// A rectangle, rounded rectangle or ellipse outline, optionally filled.
#pragma once

#include <cstdint>

#include "cover/CoverPen.h"
#include "cover/GraphicControl.h"

namespace vl::cover {

enum class ShapeFillType { Transparent = 0, FilledWhite, FilledBlack };
// Squares and circles draw like rectangles and ellipses: the bounds decide.
enum class ShapeType { Rectangle = 0, Square, RoundRect, RoundSquare, Ellipse, Circle };

class FaxCoverShapes : public GraphicControl {
public:
    FaxCoverShapes() : GraphicControl(RecordKind::Shape, false, 25, 25) {}

    ShapeFillType fillType = ShapeFillType::Transparent;
    CoverPen pen;
    std::int32_t roundPercent = 25;  // corner rounding, percent of the longer side
    ShapeType shape = ShapeType::Rectangle;
};

}  // namespace vl::cover
