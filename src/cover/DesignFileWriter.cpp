#include <string>
#include <string_view>

#include "cover/CoverIdentifiers.h"
#include "cover/DesignFile.h"
#include "cover/FaxCoverBaseLabel.h"
#include "cover/FaxCoverField.h"
#include "cover/FaxCoverLine.h"
#include "cover/FaxCoverShapes.h"
#include "cover/TaggedWriter.h"

namespace vl::cover {

namespace {

class PropertyWriter {
public:
    explicit PropertyWriter(TaggedWriter& out) : out_(out) {}

    void Integer(std::string_view name, std::int32_t value) {
        out_.ShortString(name);
        out_.Integer(value);
    }
    void String(std::string_view name, std::string_view value) {
        out_.ShortString(name);
        out_.String(value);
    }
    void Boolean(std::string_view name, bool value) {
        out_.ShortString(name);
        out_.Boolean(value);
    }
    void Identifier(std::string_view name, std::string_view value) {
        out_.ShortString(name);
        out_.Identifier(value);
    }
    void Color(std::string_view name, std::uint32_t value) {
        if (value == kColorBlack) return Identifier(name, kBlackName);
        if (value == kColorWhite) return Identifier(name, kWhiteName);
        Integer(name, static_cast<std::int32_t>(value));
    }
    void Set(std::string_view name, const std::vector<std::string>& members) {
        out_.ShortString(name);
        out_.Set(members);
    }

private:
    TaggedWriter& out_;
};

void WriteFont(PropertyWriter& out, const CoverFont& font) {
    out.Color("Font.Color", font.color);
    out.Integer("Font.Height", font.height);
    out.String("Font.Name", font.name);
    if (font.pitch != FontPitch::Default) out.Identifier("Font.Pitch", kFontPitchNames.Name(font.pitch));
    std::vector<std::string> style;
    if (font.bold) style.emplace_back("fsBold");
    if (font.italic) style.emplace_back("fsItalic");
    if (font.underline) style.emplace_back("fsUnderline");
    if (font.strikeOut) style.emplace_back("fsStrikeOut");
    out.Set("Font.Style", style);
}

void WritePen(PropertyWriter& out, const CoverPen& pen) {
    const CoverPen standard;
    if (pen.color != standard.color) out.Color("Pen.Color", pen.color);
    if (pen.mode != standard.mode) out.Identifier("Pen.Mode", pen.mode);
    if (pen.style != standard.style) out.Identifier("Pen.Style", pen.style);
    if (pen.width != standard.width) out.Integer("Pen.Width", pen.width);
}

void WriteProperties(PropertyWriter& out, const GraphicControl& object) {
    if (object.tag != 0) out.Integer("Tag", object.tag);
    out.Integer("Left", object.Left());
    out.Integer("Top", object.Top());
    out.Integer("Width", object.Width());
    out.Integer("Height", object.Height());
    if (object.cursor != 0) out.Integer("Cursor", object.cursor);
    if (!object.hint.empty()) out.String("Hint", object.hint);
    out.Boolean("Locked", object.locked);
    out.Boolean("Unselectable", object.unselectable);
    switch (object.Kind()) {
        case RecordKind::Shape: {
            const auto& shape = static_cast<const FaxCoverShapes&>(object);
            out.Identifier("ShapeFilltype", kFillTypeNames.Name(shape.fillType));
            WritePen(out, shape.pen);
            if (shape.roundPercent != 25) out.Integer("RoundPerc", shape.roundPercent);
            if (shape.shape != ShapeType::Rectangle) out.Identifier("Shape", kShapeNames.Name(shape.shape));
            break;
        }
        case RecordKind::Line: {
            const auto& line = static_cast<const FaxCoverLine&>(object);
            if (line.lineStyle != LineStyle::Horizontal) out.Identifier("LineStyle", kLineStyleNames.Name(line.lineStyle));
            WritePen(out, line.pen);
            break;
        }
        default: {
            const auto& text = static_cast<const FaxCoverBaseLabel&>(object);
            if (!text.caption.empty()) out.String("Caption", text.caption);
            WriteFont(out, text.font);
            if (object.Kind() == RecordKind::Field)
                out.Identifier("CoverFieldType", kFieldTypeNames.Name(static_cast<const FaxCoverField&>(object).FieldType()));
            break;
        }
    }
}

}  // namespace

std::vector<std::uint8_t> WriteDesignFile(const CoverObjects& objects) {
    TaggedWriter out;
    out.ListBegin();
    for (const auto& object : objects) {
        out.Literal(kDesignSignature);
        out.ShortString(kClassNames.Name(object->Kind()));
        out.ShortString(object->name);
        PropertyWriter properties(out);
        WriteProperties(properties, *object);
        out.ListEnd();
        out.ListEnd();  // no child objects
    }
    out.ListEnd();
    return out.Bytes();
}

}  // namespace vl::cover
