#include <algorithm>
#include <limits>
#include <string>

#include "base/ErrorCodes.h"
#include "cover/CoverIdentifiers.h"
#include "cover/DesignFile.h"
#include "cover/FaxCoverBaseLabel.h"
#include "cover/FaxCoverField.h"
#include "cover/FaxCoverLine.h"
#include "cover/FaxCoverShapes.h"
#include "cover/TaggedReader.h"

namespace vl::cover {

namespace {

using base::ecFaxBadFormat;
using base::ecOK;

constexpr int kLastComponentNumber = 1000;

template <typename Enum, std::size_t N>
int ReadEnum(TaggedReader& in, const IdentifierTable<Enum, N>& table, Enum& value) {
    std::string name;
    if (int rc = in.Identifier(name); rc != ecOK) return rc;
    const std::optional<Enum> found = table.Value(name);
    if (!found) return ecFaxBadFormat;
    value = *found;
    return ecOK;
}

// Black and white by name, any other colour as a number.
int ReadColor(TaggedReader& in, std::uint32_t& color) {
    ValueTag tag{};
    if (int rc = in.PeekTag(tag); rc != ecOK) return rc;
    if (tag != ValueTag::Identifier) {
        std::int32_t value = 0;
        if (int rc = in.Integer(value); rc != ecOK) return rc;
        color = static_cast<std::uint32_t>(value);
        return ecOK;
    }
    std::string name;
    if (int rc = in.Identifier(name); rc != ecOK) return rc;
    if (name == kBlackName) color = kColorBlack;
    else if (name == kWhiteName) color = kColorWhite;
    else return ecFaxBadFormat;
    return ecOK;
}

int ReadFontStyle(TaggedReader& in, CoverFont& font) {
    std::vector<std::string> members;
    if (int rc = in.Set(members); rc != ecOK) return rc;
    font.bold = font.italic = font.underline = font.strikeOut = false;
    for (const std::string& member : members) {
        if (member == "fsBold") font.bold = true;
        else if (member == "fsItalic") font.italic = true;
        else if (member == "fsUnderline") font.underline = true;
        else if (member == "fsStrikeOut") font.strikeOut = true;
        else return ecFaxBadFormat;
    }
    return ecOK;
}

// Each Read*Property returns 1 when the name is not one of its properties.
constexpr int kNotMine = 1;

int ReadBounds(TaggedReader& in, const std::string& name, GraphicControl& object) {
    std::int32_t left = object.Left(), top = object.Top(), width = object.Width(), height = object.Height();
    std::int32_t* target = name == "Left"     ? &left
                           : name == "Top"    ? &top
                           : name == "Width"  ? &width
                           : name == "Height" ? &height
                                              : nullptr;
    if (target == nullptr) return kNotMine;
    if (int rc = in.Integer(*target); rc != ecOK) return rc;
    object.SetBounds(left, top, width, height);
    return ecOK;
}

int ReadCommonProperty(TaggedReader& in, const std::string& name, GraphicControl& object) {
    if (int rc = ReadBounds(in, name, object); rc != kNotMine) return rc;
    if (name == "Tag") return in.Integer(object.tag);
    if (name == "Hint") return in.String(object.hint);
    if (name == "Locked") return in.Boolean(object.locked);
    if (name == "Unselectable") return in.Boolean(object.unselectable);
    if (name == "Cursor") {
        std::int32_t cursor = 0;
        if (int rc = in.Integer(cursor); rc != ecOK) return rc;
        if (cursor < std::numeric_limits<std::int16_t>::min() || cursor > std::numeric_limits<std::int16_t>::max())
            return ecFaxBadFormat;
        object.cursor = static_cast<std::int16_t>(cursor);
        return ecOK;
    }
    return kNotMine;
}

int ReadTextProperty(TaggedReader& in, const std::string& name, FaxCoverBaseLabel& text) {
    if (name == "Caption") return in.String(text.caption);
    if (name == "Font.Color") return ReadColor(in, text.font.color);
    if (name == "Font.Height") return in.Integer(text.font.height);
    if (name == "Font.Name") return in.String(text.font.name);
    if (name == "Font.Pitch") return ReadEnum(in, kFontPitchNames, text.font.pitch);
    if (name == "Font.Style") return ReadFontStyle(in, text.font);
    if (name == "CoverFieldType" && text.Kind() == RecordKind::Field) {
        CoverFieldType type{};
        if (int rc = ReadEnum(in, kFieldTypeNames, type); rc != ecOK) return rc;
        static_cast<FaxCoverField&>(text).RestoreFieldType(type);
        return ecOK;
    }
    return kNotMine;
}

int ReadPenProperty(TaggedReader& in, const std::string& name, CoverPen& pen) {
    if (name == "Pen.Color") return ReadColor(in, pen.color);
    if (name == "Pen.Mode") return in.Identifier(pen.mode);
    if (name == "Pen.Style") return in.Identifier(pen.style);
    if (name == "Pen.Width") return in.Integer(pen.width);
    return kNotMine;
}

int ReadShapeProperty(TaggedReader& in, const std::string& name, FaxCoverShapes& shape) {
    if (name == "ShapeFilltype") return ReadEnum(in, kFillTypeNames, shape.fillType);
    if (name == "RoundPerc") return in.Integer(shape.roundPercent);
    if (name == "Shape") return ReadEnum(in, kShapeNames, shape.shape);
    return ReadPenProperty(in, name, shape.pen);
}

int ReadLineProperty(TaggedReader& in, const std::string& name, FaxCoverLine& line) {
    if (name == "LineStyle") return ReadEnum(in, kLineStyleNames, line.lineStyle);
    return ReadPenProperty(in, name, line.pen);
}

int ReadProperty(TaggedReader& in, const std::string& name, GraphicControl& object) {
    int rc = ReadCommonProperty(in, name, object);
    if (rc != kNotMine) return rc;
    switch (object.Kind()) {
        case RecordKind::Shape: rc = ReadShapeProperty(in, name, static_cast<FaxCoverShapes&>(object)); break;
        case RecordKind::Line: rc = ReadLineProperty(in, name, static_cast<FaxCoverLine&>(object)); break;
        default: rc = ReadTextProperty(in, name, static_cast<FaxCoverBaseLabel&>(object)); break;
    }
    if (rc != kNotMine) return rc;
    // Event handlers name methods of the window that wrote the file; they
    // mean nothing here.
    if (name.starts_with("On")) {
        std::string method;
        return in.Identifier(method);
    }
    return ecFaxBadFormat;
}

int ReadObject(TaggedReader& in, std::unique_ptr<GraphicControl>& object) {
    std::string className;
    if (int rc = in.Literal(kDesignSignature); rc != ecOK) return rc;
    if (int rc = in.ShortString(className); rc != ecOK) return rc;
    const std::optional<RecordKind> kind = kClassNames.Value(className);
    if (!kind) return ecFaxBadFormat;
    object = MakeCoverObject(*kind);
    std::string storedName;
    if (int rc = in.ShortString(storedName); rc != ecOK) return rc;
    for (;;) {
        ValueTag tag{};
        if (int rc = in.PeekTag(tag); rc != ecOK) return rc;
        if (tag == ValueTag::EndOfList) break;
        std::string property;
        if (int rc = in.ShortString(property); rc != ecOK) return rc;
        if (int rc = ReadProperty(in, property, *object); rc != ecOK) return rc;
    }
    if (int rc = in.ListEnd(); rc != ecOK) return rc;
    return in.ListEnd();  // the child objects, of which there are none
}

}  // namespace

int ReadDesignFile(std::span<const std::uint8_t> bytes, CoverObjects& objects) {
    TaggedReader in(bytes);
    if (int rc = in.ListBegin(); rc != ecOK) return rc;
    for (;;) {
        ValueTag tag{};
        if (int rc = in.PeekTag(tag); rc != ecOK) return rc;
        if (tag == ValueTag::EndOfList) return in.ListEnd();
        std::unique_ptr<GraphicControl> object;
        if (int rc = ReadObject(in, object); rc != ecOK) return rc;
        object->name = FreeObjectName(objects, "Component", 0, kLastComponentNumber);
        objects.push_back(std::move(object));
    }
}

}  // namespace vl::cover
