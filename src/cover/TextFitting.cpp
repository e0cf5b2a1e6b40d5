#include "cover/TextFitting.h"

#include <algorithm>
#include <cmath>

namespace vl::cover {

gfx::FontSpec ZoomedFont(const FaxCoverBaseLabel& text) {
    gfx::FontSpec spec;
    spec.family = text.font.name;
    const int points = text.font.Points();
    spec.points = text.Zoom() == 1.0F ? points : std::trunc(points * static_cast<double>(text.Zoom()));
    spec.bold = text.font.bold;
    spec.italic = text.font.italic;
    spec.underline = text.font.underline;
    spec.strikeOut = text.font.strikeOut;
    return spec;
}

void FitText(FaxCoverBaseLabel& text) {
    switch (text.Kind()) {
        case RecordKind::Symbol: {
            const gfx::TextExtent extent = gfx::MeasureText(ZoomedFont(text), text.caption);
            text.SetBounds(text.Left(), text.Top(), static_cast<std::int32_t>(std::trunc(1.1 * extent.width)),
                           static_cast<std::int32_t>(std::trunc(1.1 * extent.height)));
            break;
        }
        case RecordKind::Label:
        case RecordKind::Field:
        case RecordKind::Importance: {
            const gfx::TextExtent extent = gfx::MeasureText(ZoomedFont(text), text.caption + " ");
            text.SetBounds(text.Left(), text.Top(), std::max(text.Width(), extent.width), std::max(text.Height(), extent.height));
            break;
        }
        default: break;
    }
}

}  // namespace vl::cover
