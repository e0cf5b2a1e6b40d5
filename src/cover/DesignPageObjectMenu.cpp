// The edits of one object's own menu. An object of the wrong kind, or one
// not on the page, is left alone.
#include <string>

#include "base/Cp1252.h"
#include "cover/DesignPage.h"
#include "cover/FaxCoverBaseLabel.h"
#include "cover/FaxCoverField.h"
#include "cover/FaxCoverSymbol.h"
#include "cover/TextFitting.h"

namespace vl::cover {

namespace {

constexpr int kThinnestPen = 1;
constexpr int kThickestPen = 10;
constexpr int kLeastRounding = 20;
constexpr int kMostRounding = 80;

CoverPen* PenOf(GraphicControl& object) {
    if (object.Kind() == RecordKind::Shape) return &static_cast<FaxCoverShapes&>(object).pen;
    if (object.Kind() == RecordKind::Line) return &static_cast<FaxCoverLine&>(object).pen;
    return nullptr;
}

}  // namespace

void DesignPage::ToggleLocked(GraphicControl* object) {
    if (!Holds(object)) return;
    Edit([object] { object->locked = !object->locked; });
}

void DesignPage::MakeUnselectable(GraphicControl* object) {
    if (!Holds(object)) return;
    Deselect(object);
    Edit([object] { object->unselectable = true; });
}

void DesignPage::SetCaption(GraphicControl* label, std::string caption) {
    FaxCoverBaseLabel* text = AsText(label);
    if (!Holds(label) || text == nullptr) return;
    Edit([text, &caption] {
        text->caption = std::move(caption);
        FitText(*text);
    });
}

void DesignPage::SetObjectFont(GraphicControl* object, const CoverFont& font) {
    FaxCoverBaseLabel* text = AsText(object);
    if (!Holds(object) || text == nullptr) return;
    Edit([text, &font] {
        text->PickFont(font);
        FitText(*text);
    });
}

void DesignPage::SetSymbol(GraphicControl* symbol, const CoverFont& font, int code) {
    if (!Holds(symbol) || symbol->Kind() != RecordKind::Symbol) return;
    if (code < kFirstSymbolCode || code > kLastSymbolCode) return;
    auto& text = static_cast<FaxCoverBaseLabel&>(*symbol);
    Edit([&text, &font, code] {
        text.PickFont(font);
        text.caption = base::Cp1252ToUtf8(std::string(1, static_cast<char>(code)));
        FitText(text);
    });
}

void DesignPage::SetFieldType(GraphicControl* field, CoverFieldType type) {
    if (!Holds(field) || field->Kind() != RecordKind::Field) return;
    auto& fill = static_cast<FaxCoverField&>(*field);
    Edit([&fill, type] {
        fill.SetFieldType(type);
        FitText(fill);
    });
}

void DesignPage::SetLineStyle(GraphicControl* line, LineStyle style) {
    if (!Holds(line) || line->Kind() != RecordKind::Line) return;
    Edit([line, style] { static_cast<FaxCoverLine*>(line)->lineStyle = style; });
}

void DesignPage::SetPenWidth(GraphicControl* object, int width) {
    CoverPen* pen = Holds(object) ? PenOf(*object) : nullptr;
    if (pen == nullptr || width < kThinnestPen || width > kThickestPen) return;
    Edit([pen, width] { pen->width = width; });
}

void DesignPage::SetFill(GraphicControl* shape, ShapeFillType fill) {
    if (!Holds(shape) || shape->Kind() != RecordKind::Shape) return;
    Edit([shape, fill] { static_cast<FaxCoverShapes*>(shape)->fillType = fill; });
}

void DesignPage::SetRounding(GraphicControl* shape, int percent) {
    if (!Holds(shape) || shape->Kind() != RecordKind::Shape) return;
    if (percent < kLeastRounding || percent > kMostRounding) return;
    Edit([shape, percent] { static_cast<FaxCoverShapes*>(shape)->roundPercent = percent; });
}

void DesignPage::StretchToEdges(GraphicControl* line) {
    if (!Holds(line) || line->Kind() != RecordKind::Line) return;
    const LineStyle style = static_cast<FaxCoverLine*>(line)->lineStyle;
    Edit([this, line, style] {
        if (style == LineStyle::Horizontal) line->SetBounds(0, line->Top(), width_, line->Height());
        if (style == LineStyle::Vertical) line->SetBounds(line->Left(), 0, line->Width(), height_);
    });
}

}  // namespace vl::cover
