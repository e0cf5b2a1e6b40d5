// The init-string helper's rules: reading a current string, and the strings
// each choice makes.
#include <gtest/gtest.h>

#include <string>

#include "app/InitStringHelper.h"

namespace vl::test {
namespace {

TEST(InitStringHelper, ACurrentStringSetsTheBoxAndTheModemType)
{
    const struct {
        const char* initString;
        bool box;
        int item;
    } cases[] = {
        {"AT&F&C1&D2&K3S7=65", false, 1},
        {"ATS7=66", true, 1},               // above 65 without "&H3"
        {"at&h3&i2&r2s7=90", false, 2},     // not above 90 with "&H3"
        {"AT&H3&I2&R2S7=91S36=8", true, 4},
        {"ATS7=90S", true, 1},              // trailing non-digits are cut off
        {"ATS7=9X9", false, 1},             // unreadable
        {"ATS7=", false, 1},
        {"ATS7=0120", false, 1},            // six characters are read: 12
        {"AT&H3S7=90S36=8S33=34", false, 5},  // "S33=34" is tried before "S36=8"
        {"AT&F\\q3", false, 6},
        {"AT&R2S36=0\\Q3", false, 3},       // first match wins
    };
    for (const auto& c : cases) {
        EXPECT_EQ(app::HangUpBoxTicked(c.initString), c.box) << c.initString;
        EXPECT_EQ(app::ModemTypeItem(c.initString), c.item) << c.initString;
    }
}

TEST(InitStringHelper, EachChoiceMakesItsString)
{
    const struct {
        int item;
        bool sending;
        bool box;
        const char* result;
    } cases[] = {
        {1, true, false, "AT&F&C1&D2&K3S7=65"},
        {1, true, true, "AT&F&C1&D2&K3S7=120"},
        {1, false, true, "AT&F&C1&D2&K3S7=65"},  // the receiving string ignores the box
        {4, true, false, "AT&H3&I2&R2S7=90S36=8"},
        {5, true, true, "AT&H3&I2&R2S7=120S36=8S33=34"},
        {6, false, false, "AT&F&C1&D2\\Q3S7=65"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(app::InitStringResult(app::kInitHelperOk, "ATX3", c.item, c.sending, c.box), c.result) << c.item;
    EXPECT_EQ(app::InitStringResult(app::kInitHelperBlank, "ATX3", 4, true, false), "");
    EXPECT_EQ(app::InitStringResult(app::kInitHelperCancel, "ATX3", 4, true, false), "ATX3");
}

}  // namespace
}  // namespace vl::test
