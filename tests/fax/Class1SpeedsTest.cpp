#include "fax/Class1Speeds.h"

#include <gtest/gtest.h>

#include <initializer_list>

namespace vl::fax {
namespace {

SpeedSet Speeds(std::initializer_list<int> indexes) {
    SpeedSet set;
    for (int index : indexes) set.Add(index);
    return set;
}

TEST(Class1SpeedsTest, SpeedTable) {
    struct Row {
        int bps;
        const char* longTraining;
        const char* shortTraining;
    };
    const Row rows[] = {{2400, "24", "24"},    {4800, "48", "48"},      {7200, "72", "72"},
                        {9600, "96", "96"},    {12000, "121", "122"},   {14400, "145", "146"}};
    for (int index = 1; index <= 6; ++index) {
        const Row& row = rows[index - 1];
        EXPECT_EQ(SpeedAt(index).bps, row.bps);
        EXPECT_EQ(SpeedAt(index).modulation.longTraining, row.longTraining);
        EXPECT_EQ(SpeedAt(index).modulation.shortTraining, row.shortTraining);
    }
    EXPECT_EQ(SpeedAt(0).bps, 2400);
    EXPECT_EQ(SpeedAt(7).bps, 14400);
}

TEST(Class1SpeedsTest, TheV27SpeedsAreAlwaysThere) {
    SpeedSet set;
    EXPECT_TRUE(set.Has(1));
    EXPECT_TRUE(set.Has(2));
    for (int index : {0, 3, 4, 5, 6, 7}) EXPECT_FALSE(set.Has(index)) << index;
    set.Add(0);
    set.Add(7);
    EXPECT_EQ(set, SpeedSet());
    EXPECT_EQ(set.Highest(), 2);
}

TEST(Class1SpeedsTest, ModulationListsGiveTheLocalSpeeds) {
    struct Case {
        const char* line;
        SpeedSet speeds;
        int highest;
    };
    const Case cases[] = {
        {"24,48,72,73,74,96,97,98,121,122,145,146", Speeds({3, 4, 5, 6}), 6},
        {"+FTM: 24,48,72,96", Speeds({3, 4}), 4},
        {"(24,48,72,96,145,146)", Speeds({3, 4, 6}), 6},
        {"24,48", Speeds({}), 2},
        {"24, 48, 96", Speeds({4}), 4},
        // Only whole numbers count.
        {"24,48,720,1450,196", Speeds({}), 2},
    };
    for (const Case& c : cases) {
        EXPECT_TRUE(IsModulationList(c.line)) << c.line;
        const SpeedSet speeds = SpeedsFromModulationList(c.line);
        EXPECT_EQ(speeds, c.speeds) << c.line;
        EXPECT_EQ(speeds.Highest(), c.highest) << c.line;
    }
    EXPECT_FALSE(IsModulationList("OK"));
    EXPECT_FALSE(IsModulationList("AT+FTM=?"));
}

TEST(Class1SpeedsTest, ReceiverKeepsToDesiredBpsAndItsOwnSpeeds) {
    const SpeedSet all = Speeds({3, 4, 5, 6});
    const SpeedSet noTwelve = Speeds({3, 4, 6});
    struct Case {
        const SpeedSet& set;
        int desired;
        int index;
    };
    const Case cases[] = {
        {all, 14400, 6}, {all, 20000, 6}, {all, 12000, 5}, {all, 9600, 4},   {all, 9599, 3},
        {all, 4800, 2},  {all, 2400, 1},  {all, 1200, 1},  {noTwelve, 12000, 4}, {noTwelve, 14400, 6},
    };
    for (const Case& c : cases) EXPECT_EQ(c.set.HighestAtMost(c.desired), c.index) << c.desired;
}

TEST(Class1SpeedsTest, FallbackStepsToTheNextSpeedBothSidesHave) {
    const SpeedSet all = Speeds({3, 4, 5, 6});
    EXPECT_EQ(LowerSpeed(4, all, all), 3);  // FTT at 9600: 7200
    EXPECT_EQ(LowerSpeed(6, all, all), 5);
    EXPECT_EQ(LowerSpeed(6, all, Speeds({3, 4})), 4);
    EXPECT_EQ(LowerSpeed(6, Speeds({6}), all), 2);
    EXPECT_EQ(LowerSpeed(2, all, all), 1);
    EXPECT_EQ(LowerSpeed(1, all, all), 0);
    EXPECT_EQ(LowerSpeed(0, all, all), 0);
    EXPECT_EQ(LowerSpeed(9, all, all), 6);
}

}  // namespace
}  // namespace vl::fax
