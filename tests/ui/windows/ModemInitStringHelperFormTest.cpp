// The init-string helper window: what it preselects for a few strings, and
// what each of its buttons gives back.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QRadioButton>
#include <QTest>

#include <string>

#include "ModalDriver.h"
#include "ui/ModemInitStringHelperForm.h"

namespace vl::ui {
namespace {

using test::Child;
using test::WhenModal;

struct PreselectCase {
    const char* current;
    bool sending;
    int type;
    bool ticked;
};

class InitHelperPreselectTest : public ::testing::TestWithParam<PreselectCase> {};

TEST_P(InitHelperPreselectTest, TheWindowShowsWhatTheStringWasMadeFor)
{
    const PreselectCase& c = GetParam();
    ModemInitStringHelperForm form(c.current, c.sending);
    form.show();
    EXPECT_EQ(form.windowTitle(), "Modem Initialization String Helper");
    for (int n = 1; n <= 6; ++n)
        EXPECT_EQ(Child<QRadioButton>(form, ("type" + std::to_string(n)).c_str())->isChecked(), n == c.type) << n;
    auto* hangUp = Child<QCheckBox>(form, "hangUp");
    EXPECT_EQ(hangUp->isVisible(), c.sending);
    EXPECT_EQ(hangUp->isChecked(), c.ticked);
}

INSTANTIATE_TEST_SUITE_P(Strings, InitHelperPreselectTest,
                         ::testing::Values(PreselectCase{"at&f s7=120", true, 1, true},
                                           PreselectCase{"AT&H3&I2&R2S7=90S36=8", true, 4, false},
                                           PreselectCase{"AT&F&C1&D2\\Q3S7=65", false, 6, false}));

struct ButtonCase {
    const char* button;  // object name; empty for the Escape key
    const char* result;
};

class InitHelperButtonTest : public ::testing::TestWithParam<ButtonCase> {};

TEST_P(InitHelperButtonTest, EachButtonGivesItsString)
{
    const ButtonCase& c = GetParam();
    WhenModal([&c](QWidget& w) {
        // The user picks the X2 and ticks the hang-up box by its text.
        auto* x2 = Child<QRadioButton>(w, "type5");
        QTest::mouseClick(x2, Qt::LeftButton, {}, QPoint(8, x2->height() / 2));
        auto* hangUp = Child<QCheckBox>(w, "hangUp");
        QTest::mouseClick(hangUp, Qt::LeftButton, {}, hangUp->rect().center());
        EXPECT_TRUE(hangUp->isChecked());
        if (*c.button == '\0')
            QTest::keyClick(&w, Qt::Key_Escape);
        else
            QTest::mouseClick(Child<QPushButton>(w, c.button), Qt::LeftButton);
    });
    EXPECT_EQ(ModemInitStringHelperForm::Edit("AT&H3&I2&R2S7=90S36=8", true, nullptr), c.result);
}

INSTANTIATE_TEST_SUITE_P(Buttons, InitHelperButtonTest,
                         ::testing::Values(ButtonCase{"ok", "AT&H3&I2&R2S7=120S36=8S33=34"},
                                           ButtonCase{"cancel", "AT&H3&I2&R2S7=90S36=8"},
                                           ButtonCase{"blank", ""}, ButtonCase{"", "AT&H3&I2&R2S7=90S36=8"}));

TEST(InitHelperReceiving, TheReceivingStringWaitsSixtyFiveSecondsWhateverTheType)
{
    WhenModal([](QWidget& w) {
        auto* type2 = Child<QRadioButton>(w, "type2");
        QTest::mouseClick(type2, Qt::LeftButton, {}, QPoint(8, type2->height() / 2));
        QTest::mouseClick(Child<QPushButton>(w, "ok"), Qt::LeftButton);
    });
    EXPECT_EQ(ModemInitStringHelperForm::Edit("ATS7=120", false, nullptr), "AT&H3&I2&R2S7=65");
}

}  // namespace
}  // namespace vl::ui
