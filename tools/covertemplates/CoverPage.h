// A cover page put together object by object, the way a user would draw it in
// the designer: text objects fitted to their captions, shapes and lines
// where they are placed.
#pragma once

#include <string>

#include "cover/CoverObjects.h"
#include "cover/FaxCoverField.h"
#include "cover/FaxCoverShapes.h"

namespace vl::tools {

struct TextStyle {
    int points = 10;
    bool bold = false;
};

class CoverPage {
public:
    void Label(int left, int top, const std::string& caption, TextStyle style);
    // A field is at least `width` wide, room for the longest value expected.
    void Field(cover::CoverFieldType type, int left, int top, int width, TextStyle style);
    // A label followed by its field on one row.
    void Row(int left, int top, int fieldLeft, const std::string& label, cover::CoverFieldType type, int width,
             TextStyle style);
    void Importance(int left, int top, TextStyle style);
    void Message(int left, int top, int width, int height, TextStyle style);
    void Shape(cover::ShapeType shape, cover::ShapeFillType fill, int left, int top, int width, int height,
               int penWidth, int roundPercent = 25);
    void HorizontalLine(int left, int top, int width, int penWidth);
    void VerticalLine(int left, int top, int height, int penWidth);

    const cover::CoverObjects& Objects() const { return objects_; }

private:
    void Add(std::unique_ptr<cover::GraphicControl> object);

    cover::CoverObjects objects_;
};

}  // namespace vl::tools
