// What two emulated Class 2 modems agree on for the coding and error
// correction of the pages.
#include <gtest/gtest.h>

#include "Class2Params.h"

namespace vl::linesim::test {
namespace {

Class2Params Offer(int df, int ec) {
    Class2Params p = Class2Params::ModemLimits();
    p.v[Class2Params::Df] = df;
    p.v[Class2Params::Ec] = ec;
    return p;
}

TEST(Class2Params, CodingAndErrorCorrectionAreTheLowestBothTake) {
    struct Case {
        int callerDf, callerEc, answererDf, answererEc;
        int df, ec;
    };
    const Case cases[] = {
        {0, 0, 0, 0, 0, 0},
        {1, 0, 0, 0, 0, 0},  // the answerer reads MH only
        {3, 2, 1, 2, 1, 2},
        {3, 2, 3, 2, 3, 2},
        {3, 1, 3, 2, 3, 1},  // 64-byte frames when one side has no others
        {1, 2, 3, 2, 1, 2},
        {3, 0, 3, 2, 1, 0},  // MMR needs ECM: MR without it
        {3, 2, 3, 0, 1, 0},
        {2, 0, 3, 2, 1, 0},  // uncompressed is not carried: MR
        {3, 2, 2, 2, 1, 2},
        {0, 2, 3, 2, 0, 2},  // ECM with MH
    };
    for (const Case& c : cases) {
        const Class2Params p = Negotiate(Offer(c.callerDf, c.callerEc), Offer(c.answererDf, c.answererEc));
        EXPECT_EQ(p.v[Class2Params::Df], c.df) << c.callerDf << "," << c.callerEc << " / " << c.answererDf << ","
                                               << c.answererEc;
        EXPECT_EQ(p.v[Class2Params::Ec], c.ec) << c.callerDf << "," << c.callerEc << " / " << c.answererDf << ","
                                               << c.answererEc;
    }
}

TEST(Class2Params, ErrorCorrectionIsSetWithinItsRange) {
    const Class2Params limits = Class2Params::ModemLimits();
    EXPECT_EQ(limits.v[Class2Params::Ec], 0);
    const auto on = limits.Updated({"", "", "", "", "3", "2"});
    ASSERT_TRUE(on);
    EXPECT_EQ(on->Format(false), "1,5,0,2,3,2,0,0");
    EXPECT_FALSE(limits.Updated({"", "", "", "", "", "3"}));
}

}  // namespace
}  // namespace vl::linesim::test
