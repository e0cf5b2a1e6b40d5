#include "fax/ModemInitStrings.h"

#include <gtest/gtest.h>

#include <string>

namespace vl::fax {
namespace {

TEST(ModemInitStrings, UserStringIsUpperCasedWithAtInFront) {
    const std::string forty(40, 'M');
    struct Case {
        std::string value;
        std::string stored;
    };
    const Case cases[] = {
        {"", ""},
        {"E0V1", "ATE0V1"},
        {"at&f", "AT&F"},
        {"At&c1", "AT&C1"},
        {"AT" + forty, "AT" + forty.substr(0, 38)},  // first 40 kept
        {forty, "AT" + forty.substr(0, 38)},         // "AT" in front, then cut to 40
        {"A", "ATA"},
    };
    for (const Case& c : cases) {
        std::string stored = ModemInitFrom(c.value);
        EXPECT_EQ(stored, c.stored) << c.value;
        EXPECT_LE(stored.size(), kModemInitMax);
    }
}

TEST(ModemInitStrings, DefaultStringFollowsDiallingOptions) {
    EXPECT_EQ(DefaultInitString(false, true), "ATE0Q0V1X1S0=0S2=43");
    EXPECT_EQ(DefaultInitString(false, false), "ATE0Q0V1X2S0=0S2=43");
    EXPECT_EQ(DefaultInitString(true, true), "ATE0Q0V1X3S0=0S2=43");
    EXPECT_EQ(DefaultInitString(true, false), "ATE0Q0V1X4S0=0S2=43");
}

}  // namespace
}  // namespace vl::fax
