// The init-string helper's rules: reading a current string, and the strings
// each choice makes.
#include <gtest/gtest.h>

#include <string>

#include "app/InitStringHelper.h"

namespace vl::test {
namespace {

struct ReadCase {
    const char* initString;
    bool box;
    int item;
};

TEST(InitStringHelper, ACurrentStringSetsTheBoxAndTheModemType)
{
    const ReadCase cases[] = {
        {"", false, 1},
        {"AT&F&C1&D2&K3S7=65", false, 1},
        {"AT&F&C1&D2&K3S7=66", true, 1},   // above 65 without "&H3"
        {"ATS7=120", true, 1},
        {"at&h3&i2&r2s7=90", false, 2},    // 90 is not above the "&H3" threshold
        {"AT&H3&I2&R2S7=91", true, 2},
        {"AT&H3&I2&R2S7=120S36=8", true, 4},
        {"ATS7=90S", true, 1},             // a trailing letter is cut off
        {"ATS7=9X9", false, 1},            // unreadable
        {"ATS7=", false, 1},
        {"ATS7=&H3", false, 1},            // the field is "&H3": unreadable
        {"ATS7=0120", false, 1},           // six characters are read: 12
        {"AT&H3&I2&R2S7=90S36=0", false, 3},
        {"AT&H3&I2&R2S7=90S36=8S33=34", false, 5},  // "S33=34" comes before "S36=8"
        {"AT&F&C1&D2\\q3S7=90", true, 6},
        {"AT&R2S36=0\\Q3", false, 3},      // first match wins
    };
    for (const ReadCase& c : cases) {
        EXPECT_EQ(app::HangUpBoxTicked(c.initString), c.box) << c.initString;
        EXPECT_EQ(app::ModemTypeItem(c.initString), c.item) << c.initString;
    }
}

struct MakeCase {
    int item;
    bool sending;
    bool box;
    const char* result;
};

TEST(InitStringHelper, EachChoiceMakesItsString)
{
    const MakeCase cases[] = {
        {1, true, false, "AT&F&C1&D2&K3S7=65"},
        {1, true, true, "AT&F&C1&D2&K3S7=120"},
        {1, false, true, "AT&F&C1&D2&K3S7=65"},
        {2, true, false, "AT&H3&I2&R2S7=90"},
        {3, true, false, "AT&H3&I2&R2S7=90S36=0"},
        {4, true, false, "AT&H3&I2&R2S7=90S36=8"},
        {4, false, false, "AT&H3&I2&R2S7=65S36=8"},
        {5, true, true, "AT&H3&I2&R2S7=120S36=8S33=34"},
        {6, true, false, "AT&F&C1&D2\\Q3S7=90"},
        {6, false, false, "AT&F&C1&D2\\Q3S7=65"},
    };
    for (const MakeCase& c : cases)
        EXPECT_EQ(app::InitStringFor(c.item, c.sending, c.box), c.result) << c.item << c.sending << c.box;
}

TEST(InitStringHelper, TheButtonsDecideWhatComesBack)
{
    const std::string current = "ATX3";
    EXPECT_EQ(app::InitStringResult(app::kInitHelperOk, current, 4, true, false), "AT&H3&I2&R2S7=90S36=8");
    EXPECT_EQ(app::InitStringResult(app::kInitHelperBlank, current, 4, true, false), "");
    EXPECT_EQ(app::InitStringResult(app::kInitHelperCancel, current, 4, true, false), current);
}

}  // namespace
}  // namespace vl::test
