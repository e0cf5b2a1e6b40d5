// A template drawn in the designer reached from the main window, saved,
// opened again, and used by the cover editor for a new fax: the cover page
// sent is, pixel for pixel, the renderer's drawing of the objects drawn.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <array>
#include <filesystem>

#include "ComPortFixture.h"
#include "ModalDriver.h"
#include "base/IniFile.h"
#include "cover/CoverRenderer.h"
#include "cover/FaxCoverShapes.h"
#include "cover/RenderRecords.h"
#include "faxdoc/Unpacker.h"
#include "support/EnvVar.h"
#include "ui/CoverDesMainScreen.h"
#include "ui/MainScreen.h"
#include "ui/QtMessagePump.h"

namespace vl::test {
namespace {

using cover::PanelState;

void Click(QWidget& window, const QString& text)
{
    for (QPushButton* button : window.findChildren<QPushButton*>())
        if (button->text() == text) {
            button->click();
            return;
        }
    ADD_FAILURE() << "no button " << text.toStdString();
}

// A letterhead drawn with the tools and menus' commands: a framed title,
// fields, a rounded box, a ruled line stretched across, the message area, a
// black seal and a symbol.
void DrawLetterhead(ui::CoverDesMainScreen& designer)
{
    cover::DesignPage& page = designer.Page();
    cover::CoverFont big = designer.DefaultFont();
    big.SetPoints(28);
    big.bold = true;

    cover::GraphicControl* banner = page.Place(PanelState::Rectangle, {20, 20, 728, 90}, designer.DefaultFont());
    page.SetPenWidth(banner, 4);
    cover::GraphicControl* title = page.Place(PanelState::Label, {40, 40, 10, 10}, designer.DefaultFont());
    page.SetCaption(title, "Harbour Freight Ltd.");
    page.SetObjectFont(title, big);

    const std::array<cover::CoverFieldType, 3> fields = {cover::CoverFieldType::Recipient,
                                                         cover::CoverFieldType::RecipientFax,
                                                         cover::CoverFieldType::Regarding};
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const int top = 160 + static_cast<int>(i) * 40;
        page.SetCaption(page.Place(PanelState::Label, {40, top, 10, 10}, designer.DefaultFont()), "To:");
        page.SetFieldType(page.Place(PanelState::Field, {160, top, 200, 20}, designer.DefaultFont()), fields[i]);
    }
    cover::GraphicControl* box = page.Place(PanelState::RoundRectangle, {30, 300, 700, 500}, designer.DefaultFont());
    page.SetPenWidth(box, 3);
    page.SetRounding(box, 20);
    cover::GraphicControl* rule = page.Place(PanelState::Line, {100, 290, 10, 10}, designer.DefaultFont());
    page.SetLineStyle(rule, cover::LineStyle::Horizontal);
    page.SetPenWidth(rule, 2);
    page.StretchToEdges(rule);
    page.Place(PanelState::Message, {50, 320, 660, 400}, designer.DefaultFont());
    page.SetFill(page.Place(PanelState::Ellipse, {40, 860, 120, 60}, designer.DefaultFont()),
                 cover::ShapeFillType::FilledBlack);
    cover::CoverFont symbols;
    symbols.name = "DejaVu Sans";
    symbols.SetPoints(24);
    page.SetSymbol(page.Place(PanelState::SymbolLabel, {680, 880, 10, 10}, designer.DefaultFont()), symbols, 0xA9);
}

class DesignerRoundTripTest : public ::testing::Test {
protected:
    // A configured port, so that the main window starts without its setup.
    DesignerRoundTripTest() : home("VELLORA_HOME", modem.dir.folder()), pump(modem.loop)
    {
        base::IniFile ini = base::IniFile::Load(modem.dir.folder() + "VL.INI");
        ini.WriteString("Modem", "ComPort", std::to_string(kModemCom - 1));
        ini.Save();
    }

    ComPortFixture modem;
    EnvVar home;
    ui::QtMessagePump pump;
};

TEST_F(DesignerRoundTripTest, ACoverFromADrawnTemplateIsTheRenderersDrawingOfIt)
{
    ui::MainScreen window(modem.loop);
    window.Receive().Port().SetDispatcherFactory(modem.Factory());
    window.show();
    for (int i = 0; i < 500 && !window.FirstActivationDone(); ++i)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    const std::string covers = modem.dir.folder() + "Covers/";

    std::vector<cover::RenderRecord> drawn;
    std::vector<cover::RenderRecord> records;
    WhenModal([&](QWidget& modal) {
        auto& designer = dynamic_cast<ui::CoverDesMainScreen&>(modal);
        DrawLetterhead(designer);
        drawn = cover::RenderRecords(designer.Page().Objects(), 96);
        WhenModal([](QWidget& saveAs) {
            Child<QLineEdit>(saveAs, "TemplateName")->setText("Harbour.FCS");
            Child<QLineEdit>(saveAs, "TemplateDescription")->setText("Harbour letterhead");
            Click(saveAs, "Ok ");
        });
        designer.SaveTemplateAs();
        // Opened again from the file, the page holds what was drawn.
        designer.NewTemplate();
        EXPECT_TRUE(designer.Page().Objects().empty());
        designer.OpenFile(covers + "Harbour.FCS");
        records = cover::RenderRecords(designer.Page().Objects(), 96);
        EXPECT_EQ(records, drawn);
        designer.close();
    });
    window.Action(ui::Command::CoverDesigner)->trigger();
    ASSERT_FALSE(drawn.empty());

    WhenModal([](QWidget& editor) {
        Child<QLineEdit>(editor, "Recipient")->setText("Ann Lee");
        Child<QLineEdit>(editor, "RecipientFax")->setText("555 0199");
        Child<QLineEdit>(editor, "Regarding")->setText("Order 5512");
        WhenModal([](QWidget& browser) {
            auto* list = browser.findChild<QListWidget*>();
            ASSERT_NE(list, nullptr);
            const QList<QListWidgetItem*> found = list->findItems(QStringLiteral("Harbour"), Qt::MatchStartsWith);
            ASSERT_EQ(found.size(), 1);
            list->setCurrentItem(found.front());
            Click(browser, "Ok");
        });
        Child<QPushButton>(editor, "SelectTemplate")->click();
        Child<QPushButton>(editor, "Save")->click();
    });
    window.Action(ui::Command::NewCover)->trigger();

    cover::CoverValues values;
    values.recipient = "Ann Lee";
    values.recipientFax = "555 0199";
    values.regarding = "Order 5512";
    gfx::MonoBitmap expected;
    ASSERT_EQ(cover::CoverRenderer().Render(records, values, {}, cover::CoverSize::FaxPage, expected), base::ecOK);

    faxdoc::PageImage image;
    ASSERT_EQ(faxdoc::UnpackApfPage(modem.dir.folder() + "SEND/COV00000.APF", 1, {}, image), base::ecOK);
    ASSERT_EQ(image.height, expected.Height());
    ASSERT_LE(image.width, expected.Width());
    long black = 0;
    long differ = 0;
    for (int y = 0; y < expected.Height(); ++y)
        for (int x = 0; x < expected.Width(); ++x) {
            const bool sent = x < image.width && image.Black(x, y);
            black += expected.Black(x, y) ? 1 : 0;
            differ += sent != expected.Black(x, y) ? 1 : 0;
        }
    RecordProperty("black_pixels", static_cast<int>(black));
    EXPECT_GT(black, 100000);
    EXPECT_EQ(differ, 0);
}

}  // namespace
}  // namespace vl::test
