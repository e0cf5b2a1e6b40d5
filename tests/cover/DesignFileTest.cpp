#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "base/ErrorCodes.h"
#include "cover/DesignFile.h"
#include "cover/FaxCoverField.h"
#include "cover/FaxCoverImportance.h"
#include "cover/FaxCoverLabel.h"
#include "cover/FaxCoverLine.h"
#include "cover/FaxCoverMessage.h"
#include "cover/FaxCoverShapes.h"
#include "cover/FaxCoverSymbol.h"
#include "support/CoverObjectSamples.h"

namespace vl::cover {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes BytesOf(const std::string& text) { return Bytes(text.begin(), text.end()); }

using test::AddObject;

TEST(DesignFile, ALineIsWrittenPropertyByProperty) {
    CoverObjects objects;
    auto& line = AddObject<FaxCoverLine>(objects);
    line.name = "Component0";
    line.SetBounds(10, 20, 300, 10);
    line.locked = true;
    line.lineStyle = LineStyle::Vertical;
    line.pen.width = 3;
    const std::string expected = std::string("\x01TPF0\x0DTFaxCoverLine\x0A") + "Component0" +
                                 "\x04Left\x02\x0A" "\x03Top\x02\x14" "\x05Width\x03\x2C\x01" "\x06Height\x02\x0A" +
                                 "\x06Locked\x09" "\x0CUnselectable\x08" "\x09LineStyle\x07\x0AstVertical" +
                                 "\x09Pen.Width\x02\x03" + std::string(3, '\0');
    EXPECT_EQ(WriteDesignFile(objects), BytesOf(expected));
}

TEST(DesignFile, ALabelIsWrittenPropertyByProperty) {
    CoverObjects objects;
    auto& label = AddObject<FaxCoverLabel>(objects);
    label.tag = 5;
    label.hint = "h";
    label.SetBounds(1, 2, 142, 33);
    label.caption = "Hello";
    label.font.bold = true;
    label.font.underline = true;
    const std::string expected = std::string("\x01TPF0\x0ETFaxCoverLabel", 20) + std::string(1, '\0') +
                                 "\x03Tag\x02\x05" "\x04Left\x02\x01" "\x03Top\x02\x02" +
                                 std::string("\x05Width\x03\x8E\x00", 9) + "\x06Height\x02\x21" "\x04Hint\x06\x01h" +
                                 "\x06Locked\x08" "\x0CUnselectable\x08" "\x07" "Caption\x06\x05Hello" +
                                 "\x0A" "Font.Color\x07\x07" "clBlack" "\x0B" "Font.Height\x02\xF3" +
                                 "\x09" "Font.Name\x06\x05" "Arial" "\x0A" "Font.Style\x0B\x06" "fsBold\x0B" "fsUnderline" +
                                 std::string(4, '\0');
    EXPECT_EQ(WriteDesignFile(objects), BytesOf(expected));
}

// One object of every class, each property away from its default.
CoverObjects EveryClass() {
    CoverObjects objects;
    auto& label = AddObject<FaxCoverLabel>(objects);
    label.SetBounds(-5, 70000, 1, 2);
    label.cursor = -21;
    label.unselectable = true;
    label.font.color = 0x123456;
    label.font.pitch = FontPitch::Fixed;
    label.font.strikeOut = true;
    label.font.italic = true;
    label.caption = std::string(400, 'c');
    auto& symbol = AddObject<FaxCoverSymbol>(objects);
    symbol.caption = "\xC3\xB0";  // character 0xF0 of the symbol font
    symbol.font.color = kColorWhite;
    auto& shape = AddObject<FaxCoverShapes>(objects);
    shape.fillType = ShapeFillType::FilledBlack;
    shape.shape = ShapeType::RoundSquare;
    shape.roundPercent = 60;
    shape.pen = {kColorWhite, "pmNot", "psDot", 10};
    auto& line = AddObject<FaxCoverLine>(objects);
    line.lineStyle = LineStyle::AngleSlopingDown;
    line.pen.color = 0x00FF00;
    AddObject<FaxCoverImportance>(objects).font.SetPoints(14);
    AddObject<FaxCoverField>(objects).SetFieldType(CoverFieldType::SenderVoice);
    AddObject<FaxCoverMessage>(objects).locked = true;
    for (std::size_t i = 0; i < objects.size(); ++i) objects[i]->name = "Component" + std::to_string(i);
    return objects;
}

TEST(DesignFile, EveryClassReadsBackAsWritten) {
    const Bytes written = WriteDesignFile(EveryClass());
    CoverObjects back;
    ASSERT_EQ(ReadDesignFile(written, back), base::ecOK);
    ASSERT_EQ(back.size(), 7u);
    EXPECT_EQ(WriteDesignFile(back), written);
    const auto& shape = static_cast<const FaxCoverShapes&>(*back[2]);
    EXPECT_EQ(shape.pen.style, "psDot");
    EXPECT_EQ(static_cast<const FaxCoverField&>(*back[5]).FieldType(), CoverFieldType::SenderVoice);
    EXPECT_EQ(back[0]->Top(), 70000);
}

TEST(DesignFile, LeftOutPropertiesReadBackAsCreationDefaults) {
    CoverObjects objects;
    AddObject<FaxCoverLabel>(objects).caption.clear();
    AddObject<FaxCoverMessage>(objects).caption.clear();
    AddObject<FaxCoverShapes>(objects);
    const Bytes written = WriteDesignFile(objects);
    const std::string text(written.begin(), written.end());
    EXPECT_EQ(text.find("Caption"), std::string::npos);
    EXPECT_EQ(text.find("RoundPerc"), std::string::npos);
    EXPECT_EQ(text.find("\x05Shape"), std::string::npos);
    EXPECT_NE(text.find("\x0DShapeFilltype\x07\x0EsftTransparent"), std::string::npos);

    CoverObjects back;
    ASSERT_EQ(ReadDesignFile(written, back), base::ecOK);
    EXPECT_EQ(static_cast<const FaxCoverLabel&>(*back[0]).caption, "Text");
    EXPECT_EQ(static_cast<const FaxCoverMessage&>(*back[1]).caption, "[Fax Message]");
    EXPECT_EQ(static_cast<const FaxCoverShapes&>(*back[2]).roundPercent, 25);
}

// The file of EveryClass() with one name replaced by another of equal length.
Bytes WithNameReplaced(const std::string& from, const std::string& to) {
    const Bytes written = WriteDesignFile(EveryClass());
    std::string text(written.begin(), written.end());
    text.replace(text.find(from), from.size(), to);
    return BytesOf(text);
}

TEST(DesignFile, AnUnknownClassOrPropertyKeepsTheObjectsBeforeIt) {
    struct Case {
        std::string from, to;
        std::size_t kept;
    };
    for (const Case& c : std::vector<Case>{{"TFaxCoverLine", "TFaxCoverLinx", 3},
                                           {"RoundPerc", "RoundPerx", 2},
                                           {"TPF0\x13TFaxCoverImportance", "TPF1\x13TFaxCoverImportance", 4}}) {
        CoverObjects back;
        EXPECT_EQ(ReadDesignFile(WithNameReplaced(c.from, c.to), back), base::ecFaxBadFormat) << c.to;
        EXPECT_EQ(back.size(), c.kept) << c.to;
    }
}

TEST(DesignFile, EveryCutIsAnError) {
    const Bytes whole = WriteDesignFile(EveryClass());
    for (std::size_t cut = 0; cut < whole.size(); ++cut) {
        CoverObjects back;
        EXPECT_EQ(ReadDesignFile(Bytes(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(cut)), back),
                  base::ecFaxBadFormat)
            << cut;
    }
}

TEST(DesignFile, ObjectsReadGetNamesNoOtherObjectUses) {
    CoverObjects page;
    AddObject<FaxCoverLine>(page).name = "Component0";
    AddObject<FaxCoverLine>(page).name = "Component2";
    CoverObjects two;
    AddObject<FaxCoverLabel>(two).name = "Component0";
    AddObject<FaxCoverLabel>(two).name = "Component0";
    ASSERT_EQ(ReadDesignFile(WriteDesignFile(two), page), base::ecOK);
    ASSERT_EQ(page.size(), 4u);
    EXPECT_EQ(page[2]->name, "Component1");
    EXPECT_EQ(page[3]->name, "Component3");
}

TEST(DesignFile, EventHandlersAreIgnored) {
    CoverObjects one;
    AddObject<FaxCoverLabel>(one);
    Bytes bytes = WriteDesignFile(one);
    const std::string handler = "\x07OnClick\x07\x0ALabelClick";
    bytes.insert(bytes.end() - 3, handler.begin(), handler.end());
    CoverObjects back;
    EXPECT_EQ(ReadDesignFile(bytes, back), base::ecOK);
    EXPECT_EQ(back.size(), 1u);
}

}  // namespace
}  // namespace vl::cover
