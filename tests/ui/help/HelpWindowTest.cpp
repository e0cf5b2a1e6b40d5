// The help window: every topic opens on its page, one window serves them
// all, Back and Forward follow the links read, the search wraps and beeps,
// a missing page says so, and the Help buttons of the windows open theirs
// beside a modal window without being blocked by it.
#include "ui/HelpWindow.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "ModalDriver.h"
#include "app/PreferencePages.h"
#include "base/MessageWindow.h"
#include "support/EnvVar.h"
#include "support/TestSupport.h"
#include "ui/HelpButton.h"
#include "ui/Preferences.h"
#include "ui/SendFaxForm.h"
#include "ui/ShowErrorForm.h"

namespace vl::test {
namespace {

using app::HelpTopic;
using ui::HelpWindow;

// The page the window shows, by file name.
std::string Shown()
{
    return HelpWindow::Current() ? HelpWindow::Current()->Browser()->source().fileName().toStdString() : "";
}

QPushButton* WindowButton(const char* name)
{
    return Child<QPushButton>(*HelpWindow::Current(), name);
}

class HelpWindowTest : public ::testing::Test {
protected:
    ~HelpWindowTest() override { delete HelpWindow::Current(); }

    // Types `text` into the search field and looks for its next match.
    bool Find(const QString& text)
    {
        window->SearchField()->setText(text);
        return window->FindNext();
    }

    int SelectionStart() const { return window->Browser()->textCursor().selectionStart(); }

    HelpWindow* window = nullptr;
};

TEST_F(HelpWindowTest, EveryTopicOpensItsOwnPageInTheOneWindow)
{
    for (const app::HelpTopicEntry& entry : app::HelpTopics()) {
        SCOPED_TRACE(static_cast<int>(entry.topic));
        HelpWindow* shown = HelpWindow::ShowTopic(entry.topic, nullptr);
        if (window == nullptr)
            window = shown;
        EXPECT_EQ(shown, window) << "a second help window";
        EXPECT_TRUE(shown->isVisible());
        EXPECT_EQ(shown->windowTitle(), "Vellora Help");
        EXPECT_EQ(Shown(), app::HelpPageName(entry.topic));
        EXPECT_EQ(shown->Browser()->documentTitle().toStdString(), entry.title);
        const QString text = shown->Browser()->toPlainText();
        EXPECT_GT(text.size(), 200);
        EXPECT_EQ(text.indexOf("is missing from"), -1);
    }
}

TEST_F(HelpWindowTest, BackAndForwardFollowTheLinksReadAndContentsLeadsHome)
{
    window = HelpWindow::ShowTopic(HelpTopic::Contents, nullptr);
    EXPECT_FALSE(WindowButton("Back")->isEnabled());
    EXPECT_FALSE(WindowButton("Forward")->isEnabled());
    // The keyboard reaches the first link and Enter follows it.
    QTextBrowser* browser = window->Browser();
    browser->setFocus();
    QTest::keyClick(browser, Qt::Key_Tab);
    QTest::keyClick(browser, Qt::Key_Return);
    const std::string followed = Shown();
    EXPECT_EQ(followed, "1000.html");
    EXPECT_TRUE(WindowButton("Back")->isEnabled());
    EXPECT_FALSE(WindowButton("Forward")->isEnabled());

    WindowButton("Back")->click();
    EXPECT_EQ(Shown(), "1009.html");
    EXPECT_FALSE(WindowButton("Back")->isEnabled());
    EXPECT_TRUE(WindowButton("Forward")->isEnabled());
    WindowButton("Forward")->click();
    EXPECT_EQ(Shown(), followed);

    HelpWindow::ShowTopic(HelpTopic::SendFax, nullptr);
    WindowButton("Contents")->click();
    EXPECT_EQ(Shown(), "1009.html");
    WindowButton("Back")->click();
    EXPECT_EQ(Shown(), "1016.html");
}

TEST_F(HelpWindowTest, FindGoesFromMatchToMatchWrapsAndBeepsWhenThereIsNone)
{
    window = HelpWindow::ShowTopic(HelpTopic::ProblemSolver, nullptr);
    const QString word = QStringLiteral("dialout");
    std::vector<int> starts;
    for (QTextCursor at = window->Browser()->document()->find(word); !at.isNull();
         at = window->Browser()->document()->find(word, at))
        starts.push_back(at.selectionStart());
    ASSERT_GE(starts.size(), 2u) << "the page names the group more than once";

    for (int start : starts) {
        ASSERT_TRUE(Find(word));
        EXPECT_EQ(SelectionStart(), start);
        EXPECT_EQ(window->Browser()->textCursor().selectedText(), word);
    }
    // After the last match the search starts over at the top.
    ASSERT_TRUE(Find(word));
    EXPECT_EQ(SelectionStart(), starts.front());

    EXPECT_FALSE(Find(QStringLiteral("xylophone")));
    EXPECT_EQ(SelectionStart(), starts.front()) << "a failed search keeps the selection";
    EXPECT_FALSE(Find(QString()));

    // Enter in the field searches too.
    window->SearchField()->setText(word);
    QTest::keyClick(window->SearchField(), Qt::Key_Return);
    EXPECT_EQ(SelectionStart(), starts[1]);
}

TEST_F(HelpWindowTest, AMissingPageSaysWhichAndWhere)
{
    TempDir empty;
    window = HelpWindow::ShowTopic(HelpTopic::Contents, nullptr);
    window->Browser()->setSource(QUrl::fromLocalFile(QString::fromStdString(empty.folder() + "4242.html")));
    const QString text = window->Browser()->toPlainText();
    EXPECT_NE(text.indexOf(QString::fromStdString("The help page 4242.html is missing from " + empty.folder())), -1)
        << text.toStdString();
    // The way back still works.
    WindowButton("Back")->click();
    EXPECT_EQ(Shown(), "1009.html");
}

TEST_F(HelpWindowTest, AModalWindowsHelpButtonOpensBesideItAndClosesWithIt)
{
    QDialog dialog;
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(ui::HelpButton(QStringLiteral("Technical &Help"), HelpTopic::ProblemSolver, &dialog));
    bool opened = false;
    WhenModal([&](QWidget& modal) {
        QPushButton* button = Child<QPushButton>(modal, "TechnicalHelp");
        ASSERT_NE(button, nullptr);
        EXPECT_FALSE(button->autoDefault());
        button->click();
        HelpWindow* help = HelpWindow::Current();
        ASSERT_NE(help, nullptr);
        opened = help->isVisible();
        EXPECT_EQ(help->parentWidget(), &modal) << "a window beside the modal one would be blocked by it";
        EXPECT_TRUE(help->isWindow());
        EXPECT_EQ(Shown(), "10000.html");
        static_cast<QDialog&>(modal).reject();
    });
    dialog.exec();
    EXPECT_TRUE(opened);
    // Opened again from elsewhere, the same window moves over.
    QWidget other;
    HelpWindow* moved = HelpWindow::ShowTopic(HelpTopic::Faq, &other);
    EXPECT_EQ(moved->parentWidget(), &other);
    EXPECT_EQ(Shown(), "911.html");
    delete moved;
}

class WindowHelpButtonsTest : public HelpWindowTest {
protected:
    WindowHelpButtonsTest() : home("VELLORA_HOME", dir.folder())
    {
        WriteFile(dir.folder() + "VL.INI", "[Ports]\nCOM1=" + dir.folder() + "no-such-modem\n");
    }

    // Clicks the button of that name and returns the page it opened.
    std::string Opens(QWidget& owner, const char* button)
    {
        QPushButton* help = Child<QPushButton>(owner, button);
        if (help == nullptr)
            return "";
        EXPECT_TRUE(help->isEnabled());
        help->click();
        EXPECT_EQ(HelpWindow::Current()->parentWidget(), owner.window());
        return Shown();
    }

    TempDir dir;
    EnvVar home;
    base::MessageLoop loop;
    app::Settings settings;
};

TEST_F(WindowHelpButtonsTest, PreferencesOpensThePageOfEachWizardPage)
{
    ui::Preferences wizard(loop, settings, false, {});
    wizard.show();
    for (int page = 0; page < app::kPreferencePageCount; ++page) {
        wizard.GoTo(page);
        EXPECT_EQ(Opens(wizard, "Help"), app::HelpPageName(app::PreferencePageHelp(page))) << page;
    }
    EXPECT_EQ(Opens(wizard, "TechnicalHelp"), "10000.html");
}

TEST_F(WindowHelpButtonsTest, SendFaxAndTheErrorWindowOpenTheirPages)
{
    ui::SendFaxForm form(loop, settings);
    form.show();
    EXPECT_EQ(Opens(form, "Help"), "1016.html");
    EXPECT_EQ(Opens(form, "TechnicalHelp"), "10000.html");

    ui::ShowErrorForm error("No Response From Modem", "We did not receive a modem response", false);
    error.show();
    EXPECT_EQ(Opens(error, "help"), "10000.html");
}

}  // namespace
}  // namespace vl::test
