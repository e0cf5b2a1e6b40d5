#include "HostOutput.h"

#include <gtest/gtest.h>

namespace vl::linesim {
namespace {

std::string ReleaseAt(HostOutput& out, std::int64_t ms) {
    std::string s;
    out.Release(ms, s);
    return s;
}

TEST(HostOutput, WithoutFaultsBytesPassAtOnce) {
    HostOutput out(ModemFaults{});
    out.OnConnected();
    out.Send("\r\nOK\r\n", 0);
    out.Send("\r\nCONNECT\r\n", 0);
    EXPECT_EQ(ReleaseAt(out, 0), "\r\nOK\r\n\r\nCONNECT\r\n");
}

TEST(HostOutput, SlowOkHoldsTheResultAndWhatFollowsIt) {
    HostOutput out(ModemFaults{300, false});
    out.Send("\r\nOK\r\n", 100);
    out.Send("\r\nRING\r\n", 120);
    EXPECT_EQ(ReleaseAt(out, 399), "");
    EXPECT_EQ(ReleaseAt(out, 400), "\r\nOK\r\n\r\nRING\r\n");
}

TEST(HostOutput, SlowOkLetsTextBeforeTheResultThrough) {
    HostOutput out(ModemFaults{300, false});
    out.Send("\r\n3,24,48,72\r\n\r\nOK\r\n", 0);
    EXPECT_EQ(ReleaseAt(out, 0), "\r\n3,24,48,72\r\n");
    EXPECT_EQ(ReleaseAt(out, 300), "\r\nOK\r\n");
}

TEST(HostOutput, SlowOkFindsAResultSplitAcrossWritesOfOneStep) {
    HostOutput out(ModemFaults{50, false});
    out.Send("\r\r\nO", 0);  // a stray CR before the real start
    out.Send("K\r", 0);
    out.Send("\n", 10);
    EXPECT_EQ(ReleaseAt(out, 10), "\r");
    EXPECT_EQ(ReleaseAt(out, 59), "");
    EXPECT_EQ(ReleaseAt(out, 60), "\r\nOK\r\n");
}

TEST(HostOutput, SlowOkReleasesAPartialMatchAtTheEndOfTheStep) {
    HostOutput out(ModemFaults{500, false});
    out.Send("\r\nCONNECT\r\n", 0);  // ends like a result begins
    EXPECT_EQ(ReleaseAt(out, 0), "\r\nCONNECT\r\n");
}

TEST(HostOutput, SlowOkLeavesOtherResultsAlone) {
    HostOutput out(ModemFaults{500, false});
    out.Send("\r\nOKAY\r\n\r\nNO CARRIER\r\n", 0);
    EXPECT_EQ(ReleaseAt(out, 0), "\r\nOKAY\r\n\r\nNO CARRIER\r\n");
}

TEST(HostOutput, GarbageComesOnceBeforeTheFirstBytesAfterConnecting) {
    HostOutput out(ModemFaults{0, true});
    out.Send("\r\nOK\r\n", 0);
    EXPECT_EQ(ReleaseAt(out, 0), "\r\nOK\r\n");  // before the call: clean
    out.OnConnected();
    out.Send("\r\nCONNECT\r\n", 20);
    out.OnConnected();  // a second connection brings no second burst
    out.Send("\r\nOK\r\n", 40);
    EXPECT_EQ(ReleaseAt(out, 40), HostOutput::NoiseBurst() + "\r\nCONNECT\r\n\r\nOK\r\n");
}

TEST(HostOutput, NoiseBurstCannotEndALine) {
    const std::string burst = HostOutput::NoiseBurst();
    EXPECT_EQ(burst.size(), 24u);
    EXPECT_EQ(burst.find_first_of("\r\n"), std::string::npos);
    EXPECT_EQ(burst, HostOutput::NoiseBurst());
}

}  // namespace
}  // namespace vl::linesim
