#include "fax/Class1Training.h"

#include <gtest/gtest.h>

namespace vl::fax {
namespace {

TEST(Class1TrainingTest, TcfIsAboutOneAndAHalfSeconds) {
    struct Case {
        int bps;
        std::size_t bytes;
    };
    const Case cases[] = {{2400, 432},   {4800, 864},   {7200, 1296},    {9600, 1728},
                          {12000, 2160}, {14400, 2592}, {45600, 8192},   {45500, 8190},
                          {99, 0},       {0, 0},        {-9600, 0}};
    for (const Case& c : cases) EXPECT_EQ(TcfLength(c.bps), c.bytes) << c.bps;
}

// `total` bytes of which `nonZero` are 0xFF, spread through the sequence, then
// DLE ETX.
TrainingCheck Train(std::size_t total, std::size_t nonZero) {
    TrainingCheck check;
    for (std::size_t i = 0; i < total; ++i) {
        const bool mark = nonZero > 0 && i % (total / nonZero) == 0 && i / (total / nonZero) < nonZero;
        EXPECT_FALSE(check.Take(mark ? 0xFF : 0x00));
    }
    EXPECT_FALSE(check.Take(0x10));
    EXPECT_TRUE(check.Take(0x03));
    return check;
}

TEST(Class1TrainingTest, FivePercentNoiseIsAcceptedTenIsNot) {
    struct Case {
        std::size_t total;
        std::size_t nonZero;
        bool accepted;
    };
    const Case cases[] = {{1000, 0, true},   {1000, 50, true}, {1000, 99, true},
                          {1000, 100, false}, {1000, 101, false}, {1728, 172, true},
                          {1728, 173, false}, {0, 0, false}};
    for (const Case& c : cases) {
        const TrainingCheck check = Train(c.total, c.nonZero);
        EXPECT_EQ(check.Total(), c.total);
        EXPECT_EQ(check.NonZero(), c.nonZero);
        EXPECT_EQ(check.Accepted(), c.accepted) << c.nonZero << "/" << c.total;
    }
}

TEST(Class1TrainingTest, DlePairsCountOnceAndDleEtxEnds) {
    TrainingCheck check;
    for (std::uint8_t byte : {0x00, 0x10, 0x10, 0x00, 0x10, 0x1A, 0x00}) EXPECT_FALSE(check.Take(byte));
    EXPECT_EQ(check.Total(), 5u);
    EXPECT_EQ(check.NonZero(), 2u);
    EXPECT_FALSE(check.Ended());
    EXPECT_FALSE(check.Take(0x10));
    EXPECT_TRUE(check.Take(0x03));
    EXPECT_TRUE(check.Ended());
    // Nothing after the end counts.
    EXPECT_TRUE(check.Take(0xFF));
    EXPECT_EQ(check.Total(), 5u);
    check.Reset();
    EXPECT_FALSE(check.Ended());
    EXPECT_EQ(check.Total(), 0u);
    EXPECT_FALSE(check.Take(0x03));
    EXPECT_EQ(check.Total(), 1u);
}

}  // namespace
}  // namespace vl::fax
