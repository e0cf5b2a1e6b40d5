#include "cover/CoverRenderer.h"

#include <algorithm>
#include <array>

#include "base/ErrorCodes.h"
#include "base/WindowSystemPump.h"
#include "cover/RenderFile.h"
#include "gfx/ShapeDrawing.h"
#include "gfx/TextDrawing.h"

namespace vl::cover {

namespace {

// Templates store font sizes for the screen they were designed on; ours counts
// 96 pixels per inch.
constexpr int kScreenPixelsPerInch = 96;

// A record's box and pen on the page: the design page is twice the record's
// numbers on the fax page and the same size on the preview.
struct Placement {
    gfx::PixelBox box;
    int penWidth = 0;
    gfx::FontSpec font;
};

// Templates are outside data: positions are kept far from overflow, pens and
// fonts to what a page can show, before anything is drawn.
constexpr long long kFarOff = 1 << 16;
constexpr long long kMaxPenWidth = 2156;
constexpr long long kMaxPoints = 1000;

int Bounded(long long value, long long low, long long high) { return static_cast<int>(std::clamp(value, low, high)); }

Placement Place(const RenderRecord& record, int divisor) {
    Placement placed;
    placed.box.x0 = Bounded(record.left / divisor + CoverRenderer::kPageOffset, -kFarOff, kFarOff);
    placed.box.y0 = Bounded(record.top / divisor + CoverRenderer::kPageOffset, -kFarOff, kFarOff);
    placed.box.x1 = Bounded(placed.box.x0 + static_cast<long long>(record.width / divisor), -kFarOff, kFarOff);
    placed.box.y1 = Bounded(placed.box.y0 + static_cast<long long>(record.height / divisor), -kFarOff, kFarOff);
    placed.penWidth = Bounded(record.valueC / divisor, 0, kMaxPenWidth);
    placed.font.family = record.fontName.empty() ? "Arial" : record.fontName;
    placed.font.points =
        Bounded(static_cast<long long>(record.fontSizeCode) * 96 / kScreenPixelsPerInch / divisor, 0, kMaxPoints);
    placed.font.bold = record.bold;
    placed.font.italic = record.italic;
    placed.font.underline = record.underline;
    return placed;
}

void DrawShape(gfx::MonoBitmap& page, const RenderRecord& record, const Placement& placed) {
    gfx::ShapeFill fill = gfx::ShapeFill::Clear;
    if (record.valueB == 1) fill = gfx::ShapeFill::White;
    if (record.valueB == 2) fill = gfx::ShapeFill::Black;
    const int width = placed.box.x1 - placed.box.x0;
    const int height = placed.box.y1 - placed.box.y0;
    switch (record.valueA) {
        case 0:
        case 1: gfx::DrawRectangle(page, placed.box, placed.penWidth, fill); break;
        case 2:
        case 3: {
            const double diameter = std::max(width, height) * static_cast<double>(record.valueE) * 0.01;
            gfx::DrawRectangle(page, placed.box, placed.penWidth, fill,
                               static_cast<int>(std::clamp(diameter, 0.0, 2.0 * kFarOff)));
            break;
        }
        case 4:
        case 5: gfx::DrawEllipse(page, placed.box, placed.penWidth, fill); break;
        default: break;
    }
}

void DrawLine(gfx::MonoBitmap& page, const RenderRecord& record, const Placement& placed) {
    const gfx::PixelBox& b = placed.box;
    switch (record.valueD) {
        case 0: gfx::DrawLine(page, b.x0, b.y0, b.x1, b.y0, placed.penWidth); break;
        case 1: gfx::DrawLine(page, b.x0, b.y0, b.x0, b.y1, placed.penWidth); break;
        case 2: gfx::DrawLine(page, b.x0, b.y1, b.x1, b.y0, placed.penWidth); break;
        case 3: gfx::DrawLine(page, b.x0, b.y0, b.x1, b.y1, placed.penWidth); break;
        default: break;
    }
}

// The checkbox line, with an "X" after the opening bracket of each set flag.
void DrawImportance(gfx::MonoBitmap& page, const CoverValues& values, const Placement& placed) {
    if (std::none_of(values.flags.begin(), values.flags.end(), [](bool set) { return set; })) return;
    static constexpr std::array<const char*, kFlagCount> kLabels = {"Urgent", "For Review", "Please Comment",
                                                                    "Please Reply", "Please Recycle"};
    std::string line;
    std::array<int, kFlagCount> markAt{};
    for (std::size_t i = 0; i < kLabels.size(); ++i) {
        if (i > 0) line += "     ";
        line += "[";
        markAt[i] = gfx::MeasureText(placed.font, line).width;
        line += "  ]";
        line += kLabels[i];
    }
    gfx::DrawText(page, placed.box.x0, placed.box.y0, line, placed.font);
    for (std::size_t i = 0; i < kLabels.size(); ++i) {
        if (values.flags[i]) gfx::DrawText(page, placed.box.x0 + markAt[i], placed.box.y0, "X", placed.font);
    }
}

std::string JoinLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        if (&line != &lines.front()) text += '\n';
        text += line;
    }
    return text;
}

void DrawRecord(gfx::MonoBitmap& page, const RenderRecord& record, const CoverValues& values,
                const std::string& message, int divisor) {
    const Placement placed = Place(record, divisor);
    switch (record.kind) {
        case RecordKind::Label:
        case RecordKind::Symbol:
            gfx::DrawText(page, placed.box.x0, placed.box.y0, record.text, placed.font);
            break;
        case RecordKind::Shape: DrawShape(page, record, placed); break;
        case RecordKind::Line: DrawLine(page, record, placed); break;
        case RecordKind::Importance: DrawImportance(page, values, placed); break;
        case RecordKind::Field: {
            const std::string* value = FieldValue(values, record.valueF);
            gfx::DrawText(page, placed.box.x0, placed.box.y0, value ? *value : record.text, placed.font);
            break;
        }
        case RecordKind::Message: gfx::DrawTextInBox(page, placed.box, message, placed.font); break;
        default: break;
    }
}

}  // namespace

int CoverRenderer::Render(const std::vector<RenderRecord>& records, const CoverValues& values,
                          const std::vector<std::string>& message, CoverSize size, gfx::MonoBitmap& page) const {
    const bool fax = size == CoverSize::FaxPage;
    page = fax ? gfx::MonoBitmap(1728, 2156) : gfx::MonoBitmap(816, 1056);
    const int divisor = fax ? 1 : 2;
    const std::string messageText = JoinLines(message);
    for (const RenderRecord& record : records) {
        DrawRecord(page, record, values, messageText, divisor);
        if (!yield_) {
            base::PumpWindowSystem();
        } else if (const int rc = yield_(); rc != base::ecOK) {
            return rc;
        }
    }
    return base::ecOK;
}

int CoverRenderer::RenderFile(const std::string& renderFile, const CoverValues& values,
                              const std::vector<std::string>& message, CoverSize size, gfx::MonoBitmap& page) const {
    // Whatever stopped the reading, the records before it are drawn.
    return Render(LoadRenderFile(renderFile).records, values, message, size, page);
}

}  // namespace vl::cover
