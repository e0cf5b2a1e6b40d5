#include "fax/FaxClassList.h"

#include <gtest/gtest.h>

#include "fax/FaxCodes.h"

namespace vl::fax {
namespace {

TEST(FaxClassList, ClassChosenFromTheList) {
    struct Case {
        const char* line;
        bool class1, class2, class2_0;
        int chosen;
        int bits;
    };
    const Case cases[] = {
        {"0,1,2,2.0", true, true, true, kClass2_0, 28},
        {"+FCLASS: 0,1", true, false, false, kClass1, 4},
        {"0,2", false, true, false, kClass2, 8},
        {"0", false, false, false, kClassUnknown, 0},
        {"  +FCLASS=0,1.0,8  ", true, false, false, kClass1, 4},
        {"(0,1,2.0)", true, false, true, kClass2_0, 20},
        {"0,2.0,2", false, true, true, kClass2_0, 24},      // 2 last in the list
        {"0,2.0,2.1", false, false, true, kClass2_0, 16},   // "2.1" holds a 1 but is no Class 1
        {"0, 1, 2", true, true, false, kClass2, 12},
        {"FCLASS: 0,10,20", false, false, false, kClassUnknown, 0},
        {"", false, false, false, kClassUnknown, 0},
        {"1:2", false, true, false, kClass2, 8},            // only the first colon ends the prefix
    };
    for (const Case& c : cases) {
        FaxClassSupport s = ParseFaxClassList(c.line);
        EXPECT_EQ(s.class1, c.class1) << c.line;
        EXPECT_EQ(s.class2, c.class2) << c.line;
        EXPECT_EQ(s.class2_0, c.class2_0) << c.line;
        EXPECT_EQ(ChosenFaxClass(s), c.chosen) << c.line;
        EXPECT_EQ(CapabilityBits(s), c.bits) << c.line;
    }
}

}  // namespace
}  // namespace vl::fax
