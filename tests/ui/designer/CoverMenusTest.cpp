// The page's and the objects' pop-up menus: what they offer, what is enabled
// and checked, and what their entries do.
#include <QDialog>
#include <QGroupBox>
#include <fstream>

#include "CoverPanelFixture.h"
#include "ModalDriver.h"
#include "cover/FaxCoverField.h"
#include "cover/FaxCoverLine.h"
#include "cover/FaxCoverShapes.h"

namespace vl::test {
namespace {

using cover::PanelState;
using Texts = std::vector<std::string>;

const Texts kAlwaysOnPage = {"Mark All Selectable", "Mark All Unselectable", "Select All"};

Texts Joined(Texts first, const Texts& second)
{
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

TEST_F(CoverPanelTest, ThePageMenuListsItsEntriesInGroups)
{
    const std::vector<ShownEntry> menu = RightClick({400, 400});
    Texts texts;
    for (const ShownEntry& entry : menu)
        texts.push_back(entry.text);
    EXPECT_EQ(texts, (Texts{"Bring To Front", "Send To Back", "-", "Cut", "Copy", "Paste", "Delete", "-",
                            "Align Left", "Align Right", "Align Tops", "Align Bottoms", "-", "Center Vertically",
                            "Center Horizontally", "-", "Lock All", "Unlock All", "-", "Mark All Selectable",
                            "Mark All Unselectable", "-", "Select All", "-", "Font"}));
    EXPECT_EQ(Enabled(menu), kAlwaysOnPage);
}

TEST_F(CoverPanelTest, ThePageMenuEnablesWhatTheSelectionAndClipboardAllow)
{
    Add(50, 50, 40, 32);
    EXPECT_EQ(Enabled(RightClick({400, 400})), Joined({"Lock All", "Unlock All"}, kAlwaysOnPage));

    Click({60, 60});
    const Texts selected = {"Bring To Front", "Send To Back", "Cut", "Copy", "Delete", "Align Left",
                            "Align Right", "Align Tops", "Align Bottoms", "Center Vertically",
                            "Center Horizontally", "Lock All", "Unlock All", "Mark All Selectable",
                            "Mark All Unselectable", "Select All", "Font"};
    EXPECT_EQ(Enabled(RightClick({400, 400})), selected);

    std::ofstream(ClipboardFile()) << "";
    Texts withPaste = selected;
    withPaste.insert(withPaste.begin() + 4, "Paste");
    EXPECT_EQ(Enabled(RightClick({400, 400})), withPaste);
}

TEST_F(CoverPanelTest, PageMenuEntriesActOnTheSelection)
{
    cover::GraphicControl* a = Add(50, 50, 40, 32);
    cover::GraphicControl* b = Add(150, 80, 40, 32);
    Add(300, 300, 40, 32);
    Click({60, 60});
    Click({160, 90}, Qt::ShiftModifier);
    RightClick({400, 400}, "Align Bottoms");
    EXPECT_EQ(a->Top(), 80);
    EXPECT_EQ(b->Top(), 80);
    RightClick({400, 400}, "Delete");
    EXPECT_EQ(page_.Objects().size(), 1U);
    RightClick({400, 400}, "Select All");
    EXPECT_EQ(page_.Selection().size(), 1U);
}

TEST_F(CoverPanelTest, ThePageFontStartsFromTheDefaultAndGoesToSelectedTexts)
{
    auto* label = static_cast<cover::FaxCoverBaseLabel*>(Add(50, 50, 60, 20, PanelState::Label));
    auto* shape = static_cast<cover::FaxCoverShapes*>(Add(150, 50, 40, 32));
    Click({60, 60});
    Click({160, 60}, Qt::ShiftModifier);
    cover::CoverFont defaultFont;
    defaultFont.name = "DejaVu Serif";
    panel_.SetDefaultFont(defaultFont);
    cover::CoverFont offered;
    cover::CoverFont picked;
    picked.name = "DejaVu Sans";
    picked.SetPoints(14);
    picked.bold = true;
    ui::CoverDialogs dialogs;
    dialogs.font = [&](const cover::CoverFont& start, bool) -> std::optional<cover::CoverFont> {
        offered = start;
        return picked;
    };
    panel_.Commands().SetDialogs(dialogs);
    RightClick({400, 400}, "Font");
    EXPECT_EQ(offered, defaultFont);
    EXPECT_EQ(label->font, picked);
    EXPECT_EQ(shape->pen, cover::CoverPen{});
}

// What each kind of object offers before the entries they all have.
struct ClassEntries {
    PanelState tool;
    Texts entries;
};

const Texts kCommonEntries = {"-", "Bring To Front", "Send To Back", "-", "Cut", "Copy", "Delete", "Clone", "-",
                              "Locked", "Unselectable", "-", "Center Vertically", "Center Horizontally"};

const Texts kThickness = {"Line Thickness/1 Point", "Line Thickness/2 Point", "Line Thickness/3 Point",
                          "Line Thickness/4 Point", "Line Thickness/5 Point", "Line Thickness/6 Point",
                          "Line Thickness/7 Point", "Line Thickness/8 Point", "Line Thickness/9 Point",
                          "Line Thickness/10 Point"};

class ObjectMenuTest : public CoverPanelTest, public ::testing::WithParamInterface<ClassEntries> {};

TEST_P(ObjectMenuTest, EachKindOffersItsOwnEntriesFirst)
{
    Add(50, 50, 60, 40, GetParam().tool);
    Texts texts;
    for (const ShownEntry& entry : RightClick({60, 60}))
        texts.push_back(entry.text);
    EXPECT_EQ(texts, Joined(GetParam().entries, kCommonEntries));
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, ObjectMenuTest,
    ::testing::Values(
        ClassEntries{PanelState::Label, {"Font", "Text"}},
        ClassEntries{PanelState::SymbolLabel, {"Symbol Selector"}},
        ClassEntries{PanelState::Message, {"Font"}},
        ClassEntries{PanelState::Importance, {"Font"}},
        ClassEntries{PanelState::Field,
                     {"Font", "Field/Date", "Field/Time", "Field/Regarding", "Field/Recipient", "Field/Recipient Fax",
                      "Field/Sender", "Field/Sender Company", "Field/Sender Fax", "Field/Sender Phone"}},
        ClassEntries{PanelState::Rectangle, Joined(kThickness, {"Transparent", "Filled - White", "Filled - Black"})},
        ClassEntries{PanelState::RoundRectangle,
                     Joined(Joined(kThickness, {"Transparent", "Filled - White", "Filled - Black"}),
                            {"Degree of Rounding/20 %", "Degree of Rounding/30 %", "Degree of Rounding/40 %",
                             "Degree of Rounding/50 %", "Degree of Rounding/60 %", "Degree of Rounding/70 %",
                             "Degree of Rounding/80 %"})},
        ClassEntries{PanelState::Line,
                     Joined({"Style/Horizontal", "Style/Vertical", "Style/Angled Sloping Up",
                             "Style/Angled Sloping Down"},
                            Joined(kThickness, {"Stretch To Edges"}))}));

TEST_F(CoverPanelTest, TheFieldMenuChecksTheCurrentType)
{
    auto* field = static_cast<cover::FaxCoverField*>(Add(50, 50, 80, 20, PanelState::Field));
    EXPECT_EQ(Checked(RightClick({60, 60}, "Field/Sender Fax")), (Texts{"Field/Date"}));
    EXPECT_EQ(field->FieldType(), cover::CoverFieldType::SenderFax);
    EXPECT_EQ(field->caption, "[Sender Fax]");
    EXPECT_EQ(Checked(RightClick({60, 60})), (Texts{"Field/Sender Fax"}));
}

TEST_F(CoverPanelTest, ShapeMenusCheckThicknessFillAndRounding)
{
    auto* shape = static_cast<cover::FaxCoverShapes*>(Add(50, 50, 60, 40, PanelState::RoundRectangle));
    // 25 % is no entry of its own: nothing is checked.
    EXPECT_EQ(Checked(RightClick({60, 60}, "Line Thickness/3 Point")),
              (Texts{"Line Thickness/1 Point", "Transparent"}));
    RightClick({60, 60}, "Filled - Black");
    RightClick({60, 60}, "Degree of Rounding/60 %");
    EXPECT_EQ(shape->pen.width, 3);
    EXPECT_EQ(shape->fillType, cover::ShapeFillType::FilledBlack);
    EXPECT_EQ(shape->roundPercent, 60);
    EXPECT_EQ(Checked(RightClick({60, 60})),
              (Texts{"Line Thickness/3 Point", "Filled - Black", "Degree of Rounding/60 %"}));

    auto* line = static_cast<cover::FaxCoverLine*>(Add(300, 300, 60, 40, PanelState::Line));
    EXPECT_EQ(Checked(RightClick({301, 310}, "Style/Horizontal")),
              (Texts{"Style/Vertical", "Line Thickness/1 Point"}));
    RightClick({310, 301}, "Stretch To Edges");
    EXPECT_EQ(line->lineStyle, cover::LineStyle::Horizontal);
    EXPECT_EQ(line->Left(), 0);
    EXPECT_EQ(line->Width(), page_.Width());
}

TEST_F(CoverPanelTest, LockedIsCheckedAndUnselectableLeavesTheSelection)
{
    cover::GraphicControl* a = Add(50, 50, 40, 32);
    const Texts shapeChecks = {"Line Thickness/1 Point", "Transparent"};
    EXPECT_EQ(Checked(RightClick({60, 60}, "Locked")), shapeChecks);
    EXPECT_TRUE(a->locked);
    EXPECT_EQ(Checked(RightClick({60, 60}, "Unselectable")), Joined(shapeChecks, {"Locked"}));
    EXPECT_TRUE(a->unselectable);
    EXPECT_TRUE(page_.Selection().empty());
    // Now the right button passes through to the page.
    Texts first;
    for (const ShownEntry& entry : RightClick({60, 60}))
        first.push_back(entry.text);
    EXPECT_EQ(first.front(), "Bring To Front");
    EXPECT_EQ(first.back(), "Font");
}

// From its own menu an object that is not selected is copied alone; a
// selected one brings the selection along.
TEST_F(CoverPanelTest, CopyFromAnObjectsMenuTakesTheSelectionOnlyWhenItIsSelected)
{
    Add(50, 50, 40, 32);
    Add(150, 50, 40, 32);
    Click({160, 60});
    DoubleClick({60, 60}, "Copy");
    page_.Clear();
    page_.Paste(ClipboardFile(), 10'000);
    EXPECT_EQ(page_.Objects().size(), 1U);

    page_.Clear();
    Add(50, 50, 40, 32);
    Add(150, 50, 40, 32);
    Click({60, 60});
    Click({160, 60}, Qt::ShiftModifier);
    DoubleClick({60, 60}, "Copy");
    page_.Clear();
    page_.Paste(ClipboardFile(), 20'000);
    EXPECT_EQ(page_.Objects().size(), 2U);
}

TEST_F(CoverPanelTest, TheTextAndSymbolDialogsChangeTheObjectOnlyOnOk)
{
    auto* label = static_cast<cover::FaxCoverBaseLabel*>(Add(50, 50, 60, 20, PanelState::Label));
    auto* symbol = static_cast<cover::FaxCoverBaseLabel*>(Add(200, 50, 60, 40, PanelState::SymbolLabel));
    std::optional<std::string> answer;
    std::string offered;
    int offeredCode = 0;
    ui::CoverDialogs dialogs;
    dialogs.text = [&](const std::string& caption) {
        offered = caption;
        return answer;
    };
    dialogs.symbol = [&](const cover::CoverFont& font, int code) -> std::optional<ui::SymbolPick> {
        offeredCode = code;
        return ui::SymbolPick{font, 0xE9};
    };
    panel_.Commands().SetDialogs(dialogs);
    const std::string before = label->caption;
    RightClick({60, 60}, "Text");
    EXPECT_EQ(label->caption, before);
    answer = "Company Name";
    RightClick({60, 60}, "Text");
    EXPECT_EQ(offered, before);
    EXPECT_EQ(label->caption, "Company Name");

    // The character is a Windows-1252 code; the caption holds it as UTF-8.
    RightClick({symbol->Left() + 2, symbol->Top() + 2}, "Symbol Selector");
    EXPECT_EQ(offeredCode, '[');
    EXPECT_EQ(symbol->caption, "\xC3\xA9");
}

// An object's font has no effects to pick; the page's font does. The font
// picked keeps the colour it started with.
TEST_F(CoverPanelTest, TheStandardFontDialogHidesEffectsForObjects)
{
    const ui::CoverDialogs dialogs = ui::StandardCoverDialogs(panel_);
    cover::CoverFont start;
    start.color = cover::kColorWhite;
    for (const bool effects : {false, true}) {
        SCOPED_TRACE(effects);
        bool effectsShown = !effects;
        WhenModal([&](QWidget& modal) {
            EXPECT_EQ(modal.windowTitle(), "Font");
            for (const QGroupBox* group : modal.findChildren<QGroupBox*>()) {
                if (group->title().remove('&') == "Effects")
                    effectsShown = !group->isHidden();
            }
            static_cast<QDialog&>(modal).accept();
        });
        const std::optional<cover::CoverFont> picked = dialogs.font(start, effects);
        EXPECT_EQ(effectsShown, effects);
        ASSERT_TRUE(picked.has_value());
        EXPECT_EQ(picked->color, cover::kColorWhite);
        EXPECT_EQ(picked->Points(), 10);
    }
}

}  // namespace
}  // namespace vl::test
