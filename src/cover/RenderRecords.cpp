#include "cover/RenderRecords.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "cover/FaxCoverBaseLabel.h"
#include "cover/FaxCoverField.h"
#include "cover/FaxCoverLine.h"
#include "cover/FaxCoverShapes.h"

namespace vl::cover {

namespace {

// Doubled without overflow: the record keeps 32-bit values.
std::int32_t Doubled(std::int32_t value) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(std::int64_t{value} * 2, std::numeric_limits<std::int32_t>::min(),
                                                              std::numeric_limits<std::int32_t>::max()));
}

void AddText(RenderRecord& record, const FaxCoverBaseLabel& text, int screenDpi) {
    // Importance lines, fields and messages get their text when a cover is made.
    if (text.Kind() == RecordKind::Label || text.Kind() == RecordKind::Symbol) record.text = text.caption;
    record.fontName = text.font.name;
    const double code = std::trunc(text.font.Points() * static_cast<double>(screenDpi) / 96.0 * 2.0);
    record.fontSizeCode = static_cast<std::int32_t>(std::clamp(code, static_cast<double>(std::numeric_limits<std::int32_t>::min()),
                                                               static_cast<double>(std::numeric_limits<std::int32_t>::max())));
    record.bold = text.font.bold;
    record.italic = text.font.italic;
    record.underline = text.font.underline;
    if (text.Kind() == RecordKind::Field)
        record.valueF = static_cast<std::int32_t>(static_cast<const FaxCoverField&>(text).FieldType());
}

RenderRecord RecordOf(const GraphicControl& object, int screenDpi) {
    RenderRecord record;
    record.kind = object.Kind();
    record.left = Doubled(object.Left());
    record.top = Doubled(object.Top());
    record.width = Doubled(object.Width());
    record.height = Doubled(object.Height());
    switch (object.Kind()) {
        case RecordKind::Shape: {
            const auto& shape = static_cast<const FaxCoverShapes&>(object);
            record.valueA = static_cast<std::int32_t>(shape.shape);
            record.valueB = static_cast<std::int32_t>(shape.fillType);
            record.valueC = Doubled(shape.pen.width);
            record.valueE = shape.roundPercent;
            break;
        }
        case RecordKind::Line: {
            const auto& line = static_cast<const FaxCoverLine&>(object);
            record.valueC = Doubled(line.pen.width);
            record.valueD = static_cast<std::int32_t>(line.lineStyle);
            break;
        }
        default: AddText(record, static_cast<const FaxCoverBaseLabel&>(object), screenDpi); break;
    }
    return record;
}

}  // namespace

std::vector<RenderRecord> RenderRecords(const CoverObjects& objects, int screenDpi) {
    std::vector<RenderRecord> records;
    records.reserve(objects.size());
    for (const auto& object : objects) records.push_back(RecordOf(*object, screenDpi));
    return records;
}

}  // namespace vl::cover
