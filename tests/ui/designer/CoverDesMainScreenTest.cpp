// The designer window with a real covers folder and settings file: change
// tracking, saving and opening, the recent files, deleting, the default font,
// undo, zoom, and the shipped templates surviving a save unchanged.
#include "ui/CoverDesMainScreen.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QToolButton>

#include <filesystem>

#include "ModalDriver.h"
#include "base/IniFile.h"
#include "cover/FaxCoverBaseLabel.h"
#include "support/TestSupport.h"

namespace vl::test {
namespace {

namespace fs = std::filesystem;
using cover::PanelState;

class CoverDesignerTest : public ::testing::Test {
protected:
    CoverDesignerTest() { fs::create_directories(Covers()); }

    std::string Covers() const { return dir.folder() + "Covers/"; }
    std::string Ini() const { return dir.folder() + "VL.INI"; }

    ui::CoverDesMainScreen& Open()
    {
        window = std::make_unique<ui::CoverDesMainScreen>(Covers(), Ini(), dir.folder());
        window->show();
        for (int i = 0; i < 5; ++i) QApplication::processEvents();
        return *window;
    }

    QPushButton* Button(const char* name) const { return Child<QPushButton>(*window, name); }

    QAction* MenuEntry(const QString& text) const
    {
        for (QAction* action : window->findChildren<QAction*>())
            if (action->text() == text)
                return action;
        ADD_FAILURE() << "no menu entry " << text.toStdString();
        return nullptr;
    }

    // A rectangle as the tool places one.
    cover::GraphicControl* PlaceBox(int left, int top)
    {
        return window->Page().Place(PanelState::Rectangle, {left, top, 40, 30}, window->DefaultFont());
    }

    // Answers the Save As window with the name and description.
    static void SaveAsWith(const QString& name, const QString& description)
    {
        WhenModal([name, description](QWidget& modal) {
            EXPECT_EQ(modal.windowTitle(), "Save fax cover template as");
            Child<QLineEdit>(modal, "TemplateName")->setText(name);
            Child<QLineEdit>(modal, "TemplateDescription")->setText(description);
            for (QPushButton* button : modal.findChildren<QPushButton*>())
                if (button->text() == "Ok ")
                    button->click();
        });
    }

    static void AnswerYes()
    {
        WhenModal([](QWidget& modal) {
            for (QPushButton* button : modal.findChildren<QPushButton*>())
                if (button->text().remove('&') == "Yes")
                    button->click();
        });
    }

    TempDir dir;
    std::unique_ptr<ui::CoverDesMainScreen> window;
};

TEST_F(CoverDesignerTest, ChangesShowSaveAndCancelUntilTheTemplateIsSaved)
{
    ui::CoverDesMainScreen& w = Open();
    EXPECT_EQ(w.windowTitle(), "Cover Sheet Template Designer");
    EXPECT_FALSE(Button("Save")->isVisible());
    EXPECT_FALSE(Button("Cancel")->isVisible());

    PlaceBox(100, 100);
    EXPECT_TRUE(w.ChangesMade());
    EXPECT_TRUE(Button("Save")->isVisible());
    EXPECT_EQ(Button("Save")->text(), "&Save As");
    // "Save" needs a name: without one the menu entry is off.
    EXPECT_FALSE(MenuEntry("Save")->isEnabled());

    SaveAsWith("Memo.FCS", "Our memo");
    Button("Save")->click();
    EXPECT_FALSE(w.ChangesMade());
    EXPECT_FALSE(Button("Save")->isVisible());
    EXPECT_EQ(w.FileName(), Covers() + "Memo.FCS");
    EXPECT_EQ(w.windowTitle(), "Cover Sheet Template Designer - Our memo");
    for (const char* file : {"Memo.FCS", "Memo.FCT", "Memo.DES", "Memo.BMP"})
        EXPECT_TRUE(fs::exists(Covers() + file)) << file;

    // A known name saves under it at once, keeping the description.
    PlaceBox(200, 200);
    EXPECT_EQ(Button("Save")->text(), "&Save");
    MenuEntry("Save")->trigger();
    EXPECT_FALSE(w.ChangesMade());
    EXPECT_EQ(ReadFile(Covers() + "Memo.DES"), "Our memo\n");
}

TEST_F(CoverDesignerTest, SaveAsProposesTheFirstFreeNumberedName)
{
    WriteFile(Covers() + "vl0001.fcs", "taken");
    ui::CoverDesMainScreen& w = Open();
    PlaceBox(10, 10);
    QString proposed;
    QString description;
    WhenModal([&](QWidget& modal) {
        proposed = Child<QLineEdit>(modal, "TemplateName")->text();
        description = Child<QLineEdit>(modal, "TemplateDescription")->text();
        dynamic_cast<QDialog&>(modal).reject();
    });
    w.SaveTemplateAs();
    EXPECT_EQ(proposed, "VL0002.FCS");
    EXPECT_EQ(description, "[Description]");
    // Cancelled: nothing written, still untitled and changed.
    EXPECT_FALSE(fs::exists(Covers() + "VL0002.FCS"));
    EXPECT_TRUE(w.ChangesMade());
    EXPECT_TRUE(w.FileName().empty());
}

TEST_F(CoverDesignerTest, CancelPutsTheSavedTemplateBack)
{
    ui::CoverDesMainScreen& w = Open();
    PlaceBox(10, 10);
    SaveAsWith("A.FCS", "a");
    w.SaveTemplateAs();
    PlaceBox(300, 300);
    ASSERT_EQ(w.Page().Objects().size(), 2u);
    AnswerYes();
    Button("Cancel")->click();
    EXPECT_EQ(w.Page().Objects().size(), 1u);
    EXPECT_FALSE(w.ChangesMade());
}

TEST_F(CoverDesignerTest, RecentFilesPutTheLastOpenedFirstAndDropOnesThatAreGone)
{
    ui::CoverDesMainScreen& w = Open();
    for (const char* name : {"A.FCS", "B.FCS"}) {
        w.NewTemplate();
        PlaceBox(10, 10);
        SaveAsWith(name, name);
        w.SaveTemplateAs();
    }
    w.OpenFile(Covers() + "A.FCS");
    EXPECT_TRUE(MenuEntry("&1 " + QString::fromStdString(Covers()) + "A.FCS"));
    EXPECT_TRUE(MenuEntry("&2 " + QString::fromStdString(Covers()) + "B.FCS"));
    EXPECT_EQ(base::IniFile::Load(Ini()).ReadString("CDMRU", "F0", ""), Covers() + "A.FCS");

    fs::remove(Covers() + "B.FCS");
    std::string shown;
    WhenModal([&](QWidget& modal) {
        shown = ModalText(modal);
        CloseModal(modal);
    });
    w.OpenRecent(1);
    EXPECT_NE(shown.find(Covers() + "B.FCS no longer exists"), std::string::npos) << shown;
    const base::IniFile ini = base::IniFile::Load(Ini());
    EXPECT_EQ(ini.ReadString("CDMRU", "F0", ""), Covers() + "A.FCS");
    EXPECT_FALSE(ini.HasKey("CDMRU", "F1"));

    // The next designer opens the most recent template by itself.
    window.reset();
    EXPECT_EQ(Open().FileName(), Covers() + "A.FCS");
    EXPECT_EQ(window->Page().Objects().size(), 1u);
    EXPECT_FALSE(window->ChangesMade());
}

TEST_F(CoverDesignerTest, OpeningKeepsWhatADamagedFileHoldsAndRefusesAMissingOne)
{
    ui::CoverDesMainScreen& w = Open();
    PlaceBox(10, 10);
    PlaceBox(60, 60);
    SaveAsWith("Two.FCS", "two");
    w.SaveTemplateAs();
    std::string bytes = ReadFile(Covers() + "Two.FCS");
    // Cut inside the second object's record.
    WriteFile(Covers() + "Cut.FCS", bytes.substr(0, bytes.size() - 20));

    std::string shown;
    auto remember = [&] {
        WhenModal([&](QWidget& modal) {
            shown = ModalText(modal);
            CloseModal(modal);
        });
    };
    remember();
    w.OpenFile(Covers() + "Cut.FCS");
    EXPECT_EQ(w.Page().Objects().size(), 1u);
    EXPECT_EQ(w.FileName(), Covers() + "Cut.FCS");
    EXPECT_NE(shown.find("damaged"), std::string::npos) << shown;

    remember();
    w.OpenFile(Covers() + "None.FCS");
    EXPECT_TRUE(w.Page().Objects().empty());
    EXPECT_TRUE(w.FileName().empty());
    EXPECT_NE(shown.find("Unable to open " + Covers() + "None.FCS."), std::string::npos) << shown;
}

TEST_F(CoverDesignerTest, DeleteRemovesAllFourFilesOfADesignFileOnly)
{
    ui::CoverDesMainScreen& w = Open();
    PlaceBox(10, 10);
    SaveAsWith("Gone.FCS", "gone");
    w.SaveTemplateAs();

    std::string asked = Covers() + "Gone.FCT";
    w.SetDeleteAsker([&] { return asked; });
    std::string shown;
    WhenModal([&](QWidget& modal) {
        shown = ModalText(modal);
        CloseModal(modal);
    });
    w.DeleteTemplate();
    EXPECT_NE(shown.find("Must be a FCS (Fax Cover Template) file"), std::string::npos) << shown;
    EXPECT_TRUE(fs::exists(Covers() + "Gone.FCT"));

    asked = Covers() + "Gone.FCS";
    AnswerYes();
    w.DeleteTemplate();
    for (const char* file : {"Gone.FCS", "Gone.FCT", "Gone.DES", "Gone.BMP"})
        EXPECT_FALSE(fs::exists(Covers() + file)) << file;
}

TEST_F(CoverDesignerTest, ExitWithChangesOffersToSaveThem)
{
    ui::CoverDesMainScreen& w = Open();
    PlaceBox(10, 10);
    SaveAsWith("Keep.FCS", "keep");
    w.SaveTemplateAs();
    PlaceBox(100, 100);
    AnswerYes();
    Button("Exit")->click();
    EXPECT_FALSE(w.isVisible());
    EXPECT_FALSE(w.ChangesMade());
    window.reset();
    EXPECT_EQ(Open().Page().Objects().size(), 2u);
}

TEST_F(CoverDesignerTest, TheDefaultFontIsStoredAtOnceAndGivenToNewText)
{
    ui::CoverDesMainScreen& w = Open();
    cover::CoverFont times;
    times.name = "Times New Roman";
    times.SetPoints(14);
    times.bold = true;
    ui::CoverDialogs dialogs;
    dialogs.font = [&](const cover::CoverFont&, bool) { return std::optional<cover::CoverFont>(times); };
    w.SetDialogs(dialogs);
    EXPECT_TRUE(MenuEntry("Default Font: Arial, 10 pt"));
    w.ChooseDefaultFont();
    EXPECT_TRUE(MenuEntry("Default Font: Times New Roman, 14 pt, bold"));
    const base::IniFile ini = base::IniFile::Load(Ini());
    EXPECT_EQ(ini.ReadString("CD Default Font", "Name", ""), "Times New Roman");
    EXPECT_EQ(ini.ReadInteger("CD Default Font", "Size", 0), 14);
    EXPECT_TRUE(ini.ReadBool("CD Default Font", "Bold", false));

    auto* label = static_cast<cover::FaxCoverBaseLabel*>(
        w.Page().Place(PanelState::Message, {10, 10, 200, 100}, w.DefaultFont()));
    EXPECT_EQ(label->font.name, "Times New Roman");
    EXPECT_EQ(label->font.Points(), 14);
}

TEST_F(CoverDesignerTest, UndoAndRedoFollowTheEditMenu)
{
    ui::CoverDesMainScreen& w = Open();
    cover::GraphicControl* box = PlaceBox(10, 10);
    w.Page().Click(box, false);
    w.Page().ApplyFrame({10, 10, 40, 30}, {50, 70, 40, 30});
    QAction* undo = MenuEntry("&Undo");
    QAction* redo = MenuEntry("&Redo");
    ASSERT_TRUE(undo->isEnabled());
    EXPECT_FALSE(redo->isEnabled());
    undo->trigger();
    EXPECT_EQ(w.Page().Objects().front()->Left(), 10);
    EXPECT_TRUE(redo->isEnabled());
    redo->trigger();
    EXPECT_EQ(w.Page().Objects().front()->Left(), 50);
    EXPECT_EQ(w.Page().Objects().front()->Top(), 70);
    undo->trigger();
    undo->trigger();
    EXPECT_TRUE(w.Page().Objects().empty());
    EXPECT_FALSE(undo->isEnabled());
}

TEST_F(CoverDesignerTest, ZoomButtonsStopAtTheirLimits)
{
    ui::CoverDesMainScreen& w = Open();
    auto* label = Child<QLabel>(w, "ZoomLabel");
    EXPECT_EQ(label->text(), "100%");
    for (int i = 0; i < 10; ++i) Child<QToolButton>(w, "ZoomIn")->click();
    EXPECT_EQ(label->text(), "160%");
    for (int i = 0; i < 20; ++i) Child<QToolButton>(w, "ZoomOut")->click();
    EXPECT_EQ(label->text(), "40%");
    EXPECT_EQ(w.Page().Width(), 307);
    EXPECT_EQ(w.Panel().width(), 307);
    // Zooming shows the page otherwise; it changes nothing on it.
    EXPECT_FALSE(w.ChangesMade());
}

TEST_F(CoverDesignerTest, ClosingRemovesThePrivateClipboard)
{
    ui::CoverDesMainScreen& w = Open();
    w.Page().Copy({PlaceBox(10, 10)}, dir.folder() + "Clipbrd.tmp");
    ASSERT_TRUE(fs::exists(dir.folder() + "Clipbrd.tmp"));
    w.NewTemplate();
    w.close();
    EXPECT_FALSE(fs::exists(dir.folder() + "Clipbrd.tmp"));
}

TEST_F(CoverDesignerTest, EveryShippedTemplateSavesBackByteForByte)
{
    int checked = 0;
    fs::copy(VL_SHIPPED_COVERS, Covers());
    ui::CoverDesMainScreen& w = Open();
    for (const fs::directory_entry& entry : fs::directory_iterator(Covers())) {
        if (entry.path().extension() != ".fcs")
            continue;
        const std::string path = entry.path().string();
        auto sibling = [&](const char* extension) { return fs::path(path).replace_extension(extension); };
        const std::string design = ReadFile(path);
        const std::string render = ReadFile(sibling(".fct"));
        const std::string description = ReadFile(sibling(".des"));
        w.OpenFile(path);
        ASSERT_FALSE(w.Page().Objects().empty()) << path;
        w.SaveTemplate();
        EXPECT_EQ(ReadFile(path), design) << path;
        EXPECT_EQ(ReadFile(sibling(".fct")), render) << path;
        EXPECT_EQ(ReadFile(sibling(".des")), description) << path;
        // Written in the letter case the template already had, not beside it.
        EXPECT_FALSE(fs::exists(sibling(".FCT"))) << path;
        ++checked;
    }
    EXPECT_GE(checked, 3);
}

}  // namespace
}  // namespace vl::test
