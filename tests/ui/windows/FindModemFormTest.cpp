// The find-modem window on COM1..COM6 mapped to a missing device, a scripted
// modem and numbers with no device: what it shows while the ports are tried
// and after, and the offer to take the port it found.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <string>
#include <vector>

#include "ComPortFixture.h"
#include "ModalDriver.h"
#include "ui/FindModemForm.h"
#include "ui/QtMessagePump.h"

namespace vl::test {
namespace {

// What the window showed at one moment.
struct Look {
    std::string caption;
    bool okShown = false;
    bool busyCursor = false;
    std::vector<std::string> lines;
};

Look LookAt(const ui::FindModemForm& form)
{
    Look look{form.windowTitle().toStdString(), Child<QPushButton>(form, "ok")->isVisible(),
              QApplication::overrideCursor() != nullptr && QApplication::overrideCursor()->shape() == Qt::WaitCursor,
              {}};
    for (int n = 1; n <= 6; ++n)
        look.lines.push_back(Child<QLabel>(form, ("line" + std::to_string(n)).c_str())->text().toStdString());
    return look;
}

class FindModemFormTest : public ::testing::Test, public ComPortFixture {
protected:
    FindModemFormTest() : pump(loop)
    {
        MapCom(1, missing);
        MapCom(2, modem.SlavePath());
        for (int n = 3; n <= 6; ++n)
            MapCom(n, "");
    }

    const std::string missing = dir.folder() + "no-such-tty";
    ui::QtMessagePump pump;
};

TEST_F(FindModemFormTest, ShowsEachPortAsItIsTriedAndTheSummaryAfter)
{
    std::vector<Look> looks;
    bool closeRefused = false;
    ModalResponder responder([&](QWidget& modal) {
        auto& form = dynamic_cast<ui::FindModemForm&>(modal);
        looks.push_back(LookAt(form));
        if (form.Working() && !closeRefused) {
            // Neither Escape nor the title bar ends a search with a port open.
            QTest::keyClick(&form, Qt::Key_Escape);
            form.close();
            closeRefused = form.isVisible();
        }
        if (looks.back().okShown)
            Child<QPushButton>(form, "ok")->click();
    });
    ui::FindModemForm form(*port, "", nullptr);
    form.exec();
    EXPECT_TRUE(closeRefused);
    EXPECT_EQ(form.Found(), 2);
    EXPECT_EQ(port->ComNumber(), kModemCom);
    EXPECT_FALSE(port->Open());

    ASSERT_GE(looks.size(), 2u);
    const Look& during = looks.front();
    EXPECT_EQ(during.caption, "Finding Modem...Please wait");
    EXPECT_FALSE(during.okShown);
    EXPECT_TRUE(during.busyCursor);
    // The modem answers after the port settles, so the window is seen while
    // its line still says TESTING.
    bool sawTesting = false;
    for (const Look& look : looks)
        sawTesting = sawTesting || look.lines[1] == "Com 2 (" + modem.SlavePath() + "): TESTING";
    EXPECT_TRUE(sawTesting);

    const Look& after = looks.back();
    EXPECT_EQ(after.caption, "Find Modem");
    EXPECT_TRUE(after.okShown);
    EXPECT_FALSE(after.busyCursor);
    const std::vector<std::string> lines = {"Com 1 (" + missing + "): Port does not exist",
                                            "Com 2 (" + modem.SlavePath() + "): MODEM",
                                            "Com 3: Port does not exist",
                                            "Com 4: Port does not exist",
                                            "Com 5: Port does not exist",
                                            "Com 6: Port does not exist"};
    EXPECT_EQ(after.lines, lines);
    EXPECT_EQ(Child<QLabel>(form, "summary")->text().toStdString(),
              "A modem was found on Com Port 2. We suggest setting the Port as Com 2.");
}

struct OfferCase {
    int selected;
    QMessageBox::StandardButton answer;
    int expected;
    bool asked;
};

class FindModemOfferTest : public FindModemFormTest, public ::testing::WithParamInterface<OfferCase> {};

TEST_P(FindModemOfferTest, TheFoundPortIsTakenOnYesOnly)
{
    const OfferCase& c = GetParam();
    std::vector<std::string> questions;
    ModalResponder responder([&](QWidget& modal) {
        if (auto* box = qobject_cast<QMessageBox*>(&modal)) {
            questions.push_back(ModalText(*box));
            box->button(c.answer)->click();
        } else if (auto* ok = Child<QPushButton>(modal, "ok"); ok->isVisible()) {
            ok->click();
        }
    });
    EXPECT_EQ(ui::FindModemForm::FindAndOffer(*port, "", c.selected, nullptr), c.expected);
    EXPECT_EQ(questions, c.asked ? std::vector<std::string>{"Com Port: Set Com Port to Com 2"}
                                 : std::vector<std::string>{});
    EXPECT_EQ(port->ComNumber(), kModemCom);
}

INSTANTIATE_TEST_SUITE_P(Answers, FindModemOfferTest,
                         ::testing::Values(OfferCase{1, QMessageBox::Yes, 2, true},
                                           OfferCase{1, QMessageBox::No, 1, true},
                                           OfferCase{2, QMessageBox::Yes, 2, false}));

}  // namespace
}  // namespace vl::test
