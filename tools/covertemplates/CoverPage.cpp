#include "CoverPage.h"

#include <memory>
#include <string>
#include <utility>

#include "cover/FaxCoverImportance.h"
#include "cover/FaxCoverLabel.h"
#include "cover/FaxCoverLine.h"
#include "cover/FaxCoverMessage.h"
#include "cover/TextFitting.h"

namespace vl::tools {

namespace {

// Text objects start at the size given and grow to fit their caption, so that
// a short label does not reach over the field beside it; a message keeps it.
template <typename Text>
std::unique_ptr<Text> Fitted(std::unique_ptr<Text> text, int left, int top, int width, int height, TextStyle style) {
    cover::CoverFont font;
    font.SetPoints(style.points);
    font.bold = style.bold;
    text->PickFont(font);
    text->SetBounds(left, top, width, height);
    cover::FitText(*text);
    return text;
}

}  // namespace

void CoverPage::Label(int left, int top, const std::string& caption, TextStyle style) {
    auto label = std::make_unique<cover::FaxCoverLabel>();
    label->caption = caption;
    Add(Fitted(std::move(label), left, top, 1, 1, style));
}

void CoverPage::Field(cover::CoverFieldType type, int left, int top, int width, TextStyle style) {
    auto field = std::make_unique<cover::FaxCoverField>();
    field->SetFieldType(type);
    Add(Fitted(std::move(field), left, top, width, 1, style));
}

void CoverPage::Row(int left, int top, int fieldLeft, const std::string& label, cover::CoverFieldType type,
                    int width, TextStyle style) {
    Label(left, top, label, {style.points, true});
    Field(type, fieldLeft, top, width, style);
}

void CoverPage::Importance(int left, int top, TextStyle style) {
    Add(Fitted(std::make_unique<cover::FaxCoverImportance>(), left, top, 1, 1, style));
}

void CoverPage::Message(int left, int top, int width, int height, TextStyle style) {
    Add(Fitted(std::make_unique<cover::FaxCoverMessage>(), left, top, width, height, style));
}

void CoverPage::Shape(cover::ShapeType shape, cover::ShapeFillType fill, int left, int top, int width, int height,
                      int penWidth, int roundPercent) {
    auto object = std::make_unique<cover::FaxCoverShapes>();
    object->shape = shape;
    object->fillType = fill;
    object->pen.width = penWidth;
    object->roundPercent = roundPercent;
    object->SetBounds(left, top, width, height);
    Add(std::move(object));
}

void CoverPage::HorizontalLine(int left, int top, int width, int penWidth) {
    auto line = std::make_unique<cover::FaxCoverLine>();
    line->pen.width = penWidth;
    line->SetBounds(left, top, width, penWidth);
    Add(std::move(line));
}

void CoverPage::VerticalLine(int left, int top, int height, int penWidth) {
    auto line = std::make_unique<cover::FaxCoverLine>();
    line->lineStyle = cover::LineStyle::Vertical;
    line->pen.width = penWidth;
    line->SetBounds(left, top, penWidth, height);
    Add(std::move(line));
}

void CoverPage::Add(std::unique_ptr<cover::GraphicControl> object) {
    // Named as the designer names what it reads, so that a shipped template
    // opened and saved again comes out byte for byte the same.
    object->name = "Component" + std::to_string(objects_.size());
    objects_.push_back(std::move(object));
}

}  // namespace vl::tools
