#include "ui/MessageBoxes.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QVBoxLayout>

#include "ModalDriver.h"

namespace vl::ui {
namespace {

using test::WhenModal;

// The box's default button, then the box is answered with `answer`.
QMessageBox::StandardButton DefaultAndAnswer(QWidget& w, QMessageBox::StandardButton answer)
{
    auto& box = dynamic_cast<QMessageBox&>(w);
    const QMessageBox::StandardButton def = box.standardButton(box.defaultButton());
    box.button(answer)->click();
    return def;
}

TEST(MessageBoxes, AskYesNoDefaultsToYesAndAskYesNoDefaultNoToNo)
{
    QMessageBox::StandardButton def = QMessageBox::NoButton;
    WhenModal([&](QWidget& w) { def = DefaultAndAnswer(w, QMessageBox::Yes); });
    EXPECT_TRUE(AskYesNo("Archive the current fax?", "Archive", nullptr));
    EXPECT_EQ(def, QMessageBox::Yes);

    WhenModal([&](QWidget& w) { def = DefaultAndAnswer(w, QMessageBox::Yes); });
    EXPECT_TRUE(AskYesNoDefaultNo("Delete the current fax?", "Delete", nullptr));
    EXPECT_EQ(def, QMessageBox::No);

    WhenModal([&](QWidget& w) { def = DefaultAndAnswer(w, QMessageBox::No); });
    EXPECT_FALSE(AskYesNoDefaultNo("Delete the current fax?", "Delete", nullptr));
}

TEST(MessageBoxes, EnterTakesTheDefaultAndEscapeAnswersNo)
{
    WhenModal([](QWidget& w) { QTest::keyClick(&w, Qt::Key_Return); });
    EXPECT_FALSE(AskYesNoDefaultNo("Delete?", "Delete", nullptr));
    WhenModal([](QWidget& w) { QTest::keyClick(&w, Qt::Key_Return); });
    EXPECT_TRUE(AskYesNo("Continue?", "LOGGING MODE", nullptr));
    WhenModal([](QWidget& w) { QTest::keyClick(&w, Qt::Key_Escape); });
    EXPECT_FALSE(AskYesNo("Continue?", "LOGGING MODE", nullptr));
}

TEST(MessageBoxes, InformationHasItsCaptionIconAndRealLineBreaks)
{
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    WhenModal([&](QWidget& w) {
        auto& box = dynamic_cast<QMessageBox&>(w);
        title = box.windowTitle();
        text = box.text();
        icon = box.icon();
        box.accept();
    });
    ShowInformation("one\rtwo\r\nthree", nullptr);
    EXPECT_EQ(title, "Information");
    EXPECT_EQ(icon, QMessageBox::Information);
    EXPECT_EQ(text, "one\ntwo\nthree");
}

class CenterDialogTest : public ::testing::Test {
protected:
    QWidget main;
    QWidget dialog;

    QRect ScreenArea() const { return main.screen()->geometry(); }
};

TEST_F(CenterDialogTest, CentresOverTheMainWindowRoundingHalvesTowardZero)
{
    main.setGeometry(100, 50, 301, 201);
    dialog.resize(100, 50);
    CenterDialog(dialog, &main);
    // (301 - 100) / 2 = 100, (201 - 50) / 2 = 75
    EXPECT_EQ(dialog.pos(), QPoint(200, 125));

    // A dialog larger than the main window: -101 / 2 is -50 and -52 / 2 is -26.
    dialog.resize(402, 253);
    CenterDialog(dialog, &main);
    EXPECT_EQ(dialog.pos(), QPoint(50, 24));
}

TEST_F(CenterDialogTest, UsesTheScreenForTheMainWindowItselfAMaximisedOneOrNone)
{
    dialog.resize(101, 51);
    const QRect screen = ScreenArea();
    const QPoint screenCentred(screen.x() + (screen.width() - 101) / 2, screen.y() + (screen.height() - 51) / 2);

    CenterDialog(dialog, nullptr);
    EXPECT_EQ(dialog.pos(), screenCentred);

    main.setGeometry(10, 10, 200, 200);
    main.showMaximized();
    CenterDialog(dialog, &main);
    EXPECT_EQ(dialog.pos(), screenCentred);

    QWidget self;
    self.resize(101, 51);
    CenterDialog(self, &self);
    EXPECT_EQ(self.pos(), screenCentred);
}

TEST_F(CenterDialogTest, GivesAnUnsizedDialogItsPreferredSizeFirst)
{
    main.setGeometry(0, 0, 1000, 800);
    QDialog box;
    auto* layout = new QVBoxLayout(&box);
    layout->addWidget(new QLabel("some text"));
    CenterDialog(box, &main);
    // An unsized window would centre as 640 x 480.
    EXPECT_EQ(box.size(), box.sizeHint());
    EXPECT_LT(box.width(), 640);
    EXPECT_EQ(box.pos(), QPoint((1000 - box.width()) / 2, (800 - box.height()) / 2));
}

}  // namespace
}  // namespace vl::ui
