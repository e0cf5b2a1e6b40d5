#include "base/FreeNumbers.h"

#include <gtest/gtest.h>

namespace vl::base {
namespace {

TEST(FreeNumbers, LowestFreeInRange) {
    EXPECT_EQ(FirstFreeNumber(1, 9999, [](int) { return false; }), 1);
    EXPECT_EQ(FirstFreeNumber(1, 9999, [](int n) { return n != 17; }), 17);
    EXPECT_EQ(FirstFreeNumber(1, 9999, [](int n) { return n < 9999; }), 9999);
    EXPECT_EQ(FirstFreeNumber(1, 9999, [](int) { return true; }), std::nullopt);
    EXPECT_EQ(FirstFreeNumber(5, 4, [](int) { return false; }), std::nullopt);
}

TEST(FreeNumbers, StopsAskingAtTheFirstFreeNumber) {
    int highest = 0;
    FirstFreeNumber(0, 100, [&](int n) {
        highest = n;
        return n < 3;
    });
    EXPECT_EQ(highest, 3);
}

}  // namespace
}  // namespace vl::base
