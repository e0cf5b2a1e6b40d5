#include "DefaultCovers.h"

namespace vl::tools {

namespace {

using cover::CoverFieldType;
using cover::ShapeFillType;
using cover::ShapeType;

// Everything stays inside the part of the 768 x 960 design page that both the
// fax page and the preview show: 718 pixels across, 958 down.
constexpr int kLeft = 24;
constexpr int kWidth = 670;

constexpr TextStyle kBody{11, false};

CoverPage Business() {
    CoverPage page;
    page.Label(kLeft, 18, "FAX", {40, true});
    page.Field(CoverFieldType::SenderCompany, 330, 44, 364, {14, true});
    page.HorizontalLine(kLeft, 88, kWidth, 3);
    struct Line {
        const char* label;
        CoverFieldType field;
    };
    const Line rows[] = {{"To:", CoverFieldType::Recipient},       {"Fax:", CoverFieldType::RecipientFax},
                         {"From:", CoverFieldType::Sender},        {"Company:", CoverFieldType::SenderCompany},
                         {"Fax:", CoverFieldType::SenderFax},      {"Phone:", CoverFieldType::SenderVoice},
                         {"Regarding:", CoverFieldType::Regarding}};
    page.Row(kLeft, 108, 150, "Date:", CoverFieldType::Date, 250, kBody);
    page.Row(440, 108, 500, "Time:", CoverFieldType::Time, 150, kBody);
    int top = 142;
    for (const Line& row : rows) {
        page.Row(kLeft, top, 150, row.label, row.field, 540, kBody);
        top += 34;
    }
    page.HorizontalLine(kLeft, 392, kWidth, 1);
    page.Label(kLeft, 408, "Message:", {11, true});
    page.Message(kLeft, 440, kWidth, 500, kBody);
    return page;
}

CoverPage LogoArea() {
    CoverPage page;
    // The logo area: a frame holding a mark drawn from shapes, which the user
    // replaces with the company's own in the designer.
    page.Shape(ShapeType::RoundRect, ShapeFillType::Transparent, kLeft, 20, 150, 110, 2, 15);
    page.Shape(ShapeType::Circle, ShapeFillType::FilledBlack, 59, 35, 80, 80, 1);
    page.Shape(ShapeType::Circle, ShapeFillType::FilledWhite, 79, 55, 40, 40, 1);
    page.Shape(ShapeType::Square, ShapeFillType::FilledBlack, 91, 67, 16, 16, 1);
    page.Field(CoverFieldType::SenderCompany, 200, 26, 494, {20, true});
    page.Field(CoverFieldType::Sender, 200, 68, 494, {12, false});
    page.Row(200, 98, 240, "Fax:", CoverFieldType::SenderFax, 160, {10, false});
    page.Row(420, 98, 476, "Phone:", CoverFieldType::SenderVoice, 160, {10, false});
    page.Shape(ShapeType::Rectangle, ShapeFillType::FilledBlack, kLeft, 146, kWidth, 8, 1);
    page.Label(kLeft, 166, "FACSIMILE", {28, true});

    page.Shape(ShapeType::Rectangle, ShapeFillType::Transparent, kLeft, 226, kWidth, 112, 1);
    page.VerticalLine(400, 226, 112, 1);
    page.Row(36, 238, 100, "To:", CoverFieldType::Recipient, 290, kBody);
    page.Row(36, 272, 100, "Fax:", CoverFieldType::RecipientFax, 290, kBody);
    page.Row(36, 306, 100, "Re:", CoverFieldType::Regarding, 290, kBody);
    page.Row(412, 238, 464, "Date:", CoverFieldType::Date, 220, kBody);
    page.Row(412, 272, 464, "Time:", CoverFieldType::Time, 220, kBody);

    page.Shape(ShapeType::Rectangle, ShapeFillType::Transparent, kLeft, 360, kWidth, 580, 1);
    page.Label(36, 372, "Message", {12, true});
    page.Message(36, 404, 646, 524, kBody);
    return page;
}

CoverPage ImportanceLine() {
    CoverPage page;
    page.Label(kLeft, 22, "FAX TRANSMITTAL", {26, true});
    page.Field(CoverFieldType::Date, 480, 40, 214, kBody);
    page.HorizontalLine(kLeft, 76, kWidth, 3);

    // A table of two columns and four rows: the recipient's side and the sender's.
    constexpr int kTableTop = 94;
    constexpr int kRowHeight = 36;
    constexpr int kMiddle = kLeft + kWidth / 2;
    page.Shape(ShapeType::Rectangle, ShapeFillType::Transparent, kLeft, kTableTop, kWidth, 4 * kRowHeight, 1);
    page.VerticalLine(kMiddle, kTableTop, 4 * kRowHeight, 1);
    for (int row = 1; row < 4; ++row) page.HorizontalLine(kLeft, kTableTop + row * kRowHeight, kWidth, 1);
    struct Cell {
        const char* label;
        CoverFieldType field;
    };
    const Cell left[] = {{"To:", CoverFieldType::Recipient},
                         {"Fax:", CoverFieldType::RecipientFax},
                         {"Re:", CoverFieldType::Regarding},
                         {"Time:", CoverFieldType::Time}};
    const Cell right[] = {{"From:", CoverFieldType::Sender},
                          {"Company:", CoverFieldType::SenderCompany},
                          {"Fax:", CoverFieldType::SenderFax},
                          {"Phone:", CoverFieldType::SenderVoice}};
    for (int row = 0; row < 4; ++row) {
        const int top = kTableTop + row * kRowHeight + 9;
        page.Row(kLeft + 8, top, kLeft + 84, left[row].label, left[row].field, 240, {10, false});
        page.Row(kMiddle + 8, top, kMiddle + 84, right[row].label, right[row].field, 240, {10, false});
    }

    page.Shape(ShapeType::RoundRect, ShapeFillType::Transparent, kLeft, 256, kWidth, 44, 1, 4);
    page.Importance(40, 268, {10, false});
    page.Label(kLeft, 320, "Message", {12, true});
    page.HorizontalLine(kLeft, 346, kWidth, 1);
    page.Message(kLeft, 360, kWidth, 580, kBody);
    return page;
}

CoverPage Compact() {
    CoverPage page;
    constexpr TextStyle kSmall{9, false};
    page.Label(kLeft, 18, "Fax", {18, true});
    page.Field(CoverFieldType::Date, 110, 28, 180, kSmall);
    page.Field(CoverFieldType::Time, 300, 28, 90, kSmall);
    page.Row(kLeft, 62, 70, "To:", CoverFieldType::Recipient, 270, kSmall);
    page.Row(370, 62, 420, "From:", CoverFieldType::Sender, 274, kSmall);
    page.Row(kLeft, 82, 70, "Fax:", CoverFieldType::RecipientFax, 270, kSmall);
    page.Row(370, 82, 420, "Fax:", CoverFieldType::SenderFax, 274, kSmall);
    page.Row(kLeft, 102, 70, "Re:", CoverFieldType::Regarding, 624, kSmall);
    page.HorizontalLine(kLeft, 126, kWidth, 1);
    page.Message(kLeft, 138, kWidth, 800, {10, false});
    return page;
}

}  // namespace

std::vector<DefaultCover> DefaultCovers() {
    std::vector<DefaultCover> covers;
    covers.push_back({"vl0001.fcs", "Business cover", Business()});
    covers.push_back({"vl0002.fcs", "Cover with a logo area", LogoArea()});
    covers.push_back({"vl0003.fcs", "Cover with importance check boxes", ImportanceLine()});
    covers.push_back({"vl0004.fcs", "Compact cover, room for a long message", Compact()});
    return covers;
}

}  // namespace vl::tools
