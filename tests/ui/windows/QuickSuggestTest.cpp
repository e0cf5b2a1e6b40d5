// The analysis wizard driven through its buttons: the pages it stops on,
// when Finish is allowed, and the results it closes with.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTest>

#include "ModalDriver.h"
#include "ui/QuickSuggest.h"

namespace vl::ui {
namespace {

using test::Child;
using test::WhenModal;

app::Settings OnlyIgnoreBusy()
{
    app::Settings s;
    s.String = "ATZ";
    s.InitString = s.InitStringReceive = "AT&F";
    s.IgnoreBusy = true;
    return s;
}

void Click(const QWidget& form, const char* button)
{
    QTest::mouseClick(Child<QPushButton>(form, button), Qt::LeftButton);
}

// On its indicator: a choice takes clicks on its text, not on the blank
// beyond it.
void Tick(QAbstractButton* choice)
{
    QTest::mouseClick(choice, Qt::LeftButton, {}, QPoint(4, choice->height() / 2));
}

int PageShown(const QWidget& form) { return Child<QStackedWidget>(form, "pages")->currentIndex(); }
bool Enabled(const QWidget& form, const char* button) { return Child<QPushButton>(form, button)->isEnabled(); }

TEST(QuickSuggest, TheOnlyIssueLeadsToItsPageAndFinishChangesIt)
{
    QuickSuggest form(OnlyIgnoreBusy());
    form.show();  // clicks reach laid-out widgets only
    EXPECT_FALSE(Enabled(form, "back"));
    Click(form, "next");
    EXPECT_EQ(PageShown(form), 8);
    EXPECT_FALSE(Enabled(form, "finish"));
    auto* box = Child<QCheckBox>(form, "page8choice1");
    Tick(box);
    EXPECT_TRUE(Enabled(form, "finish"));
    Tick(box);
    EXPECT_FALSE(Enabled(form, "finish"));
    Tick(box);

    Click(form, "next");
    EXPECT_EQ(PageShown(form), 14);
    EXPECT_FALSE(Enabled(form, "next"));
    EXPECT_FALSE(Child<QLabel>(form, "conclusion")->isHidden());
    EXPECT_TRUE(Child<QPushButton>(form, "problemSolver")->isHidden());

    Click(form, "finish");
    EXPECT_EQ(form.result(), QuickSuggest::kChanged);
    EXPECT_FALSE(form.Result().IgnoreBusy);
}

TEST(QuickSuggest, ReceivingSkipsTheSendingPagesAndChangesOnlyItsOwnSettings)
{
    app::Settings settings;  // no reset string, no init strings
    settings.ECM = true;
    QuickSuggest form(settings);
    form.show();
    Tick(Child<QRadioButton>(form, "receiving"));
    Click(form, "next");
    EXPECT_EQ(PageShown(form), 11);
    EXPECT_TRUE(Child<QRadioButton>(form, "page11choice0")->isChecked());
    Tick(Child<QRadioButton>(form, "page11choice2"));
    Click(form, "next");
    EXPECT_EQ(PageShown(form), 12);
    auto* cirrus = Child<QRadioButton>(form, "page12choice3");
    EXPECT_EQ(cirrus->text(), "Basic string for for Cirrus Logic/AT&&T modems (very rare)");
    Tick(cirrus);
    Click(form, "back");
    Click(form, "back");
    EXPECT_EQ(PageShown(form), 0);
    EXPECT_TRUE(Enabled(form, "finish"));

    Click(form, "finish");
    EXPECT_EQ(form.result(), QuickSuggest::kChanged);
    EXPECT_EQ(form.Result().String, "AT&F");
    EXPECT_EQ(form.Result().InitStringReceive, "AT&F&C1&D2\\Q3S7=90");
    EXPECT_TRUE(form.Result().ECM);
}

TEST(QuickSuggest, NoIssuesOffersTheProblemSolver)
{
    app::Settings settings = OnlyIgnoreBusy();
    settings.IgnoreBusy = false;
    WhenModal([](QWidget& w) {
        Click(w, "next");
        EXPECT_EQ(PageShown(w), 14);
        EXPECT_FALSE(Enabled(w, "finish"));
        EXPECT_TRUE(Child<QLabel>(w, "conclusion")->isHidden());
        EXPECT_FALSE(Child<QLabel>(w, "noProblems")->isHidden());
        Click(w, "problemSolver");
    });
    QuickSuggest form(settings);
    EXPECT_EQ(form.exec(), QuickSuggest::kProblemSolver);
    WhenModal([](QWidget& w) { Click(w, "cancel"); });
    EXPECT_EQ(form.exec(), QDialog::Rejected);
}

}  // namespace
}  // namespace vl::ui
