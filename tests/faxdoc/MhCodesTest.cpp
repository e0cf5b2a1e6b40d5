#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "faxdoc/MhCodes.h"

namespace vl::faxdoc {
namespace {

std::string Text(MhWrittenCode c) {
    std::string s;
    for (int i = c.bits - 1; i >= 0; --i) s += (c.code >> i & 1) ? '1' : '0';
    return s;
}

// Every code a decoder of one colour must tell apart, EOL included.
std::vector<std::string> ColourSet(MhColor color) {
    std::vector<std::string> set;
    for (MhWrittenCode c : WrittenTerminatingCodes(color)) set.push_back(Text(c));
    for (MhWrittenCode c : WrittenMakeUpCodes(color)) set.push_back(Text(c));
    for (MhWrittenCode c : WrittenExtendedMakeUpCodes()) set.push_back(Text(c));
    set.push_back(Text(kMhWrittenEol));
    return set;
}

TEST(MhCodes, TablesHaveTheirSizesAndKnownEntries) {
    EXPECT_EQ(WrittenTerminatingCodes(MhColor::White).size(), 64u);
    EXPECT_EQ(WrittenTerminatingCodes(MhColor::Black).size(), 64u);
    EXPECT_EQ(WrittenMakeUpCodes(MhColor::White).size(), 27u);
    EXPECT_EQ(WrittenMakeUpCodes(MhColor::Black).size(), 27u);
    EXPECT_EQ(WrittenExtendedMakeUpCodes().size(), 13u);

    EXPECT_EQ(Text(WrittenTerminatingCodes(MhColor::White)[0]), "00110101");
    EXPECT_EQ(Text(WrittenTerminatingCodes(MhColor::White)[63]), "00110100");
    EXPECT_EQ(Text(WrittenTerminatingCodes(MhColor::Black)[0]), "0000110111");
    EXPECT_EQ(Text(WrittenTerminatingCodes(MhColor::Black)[63]), "000001100111");
    EXPECT_EQ(Text(WrittenMakeUpCodes(MhColor::White)[26]), "010011011");  // 1728
    EXPECT_EQ(Text(WrittenMakeUpCodes(MhColor::Black)[0]), "0000001111");  // 64
    EXPECT_EQ(Text(WrittenExtendedMakeUpCodes()[0]), "00000001000");      // 1792
    EXPECT_EQ(Text(WrittenExtendedMakeUpCodes()[12]), "000000011111");    // 2560
    EXPECT_EQ(Text(kMhWrittenEol), "000000000001");
}

// Prefix-free sets decode uniquely. The Kraft sum shows that no length is off:
// the only strings MH leaves unused start with eight zeros, the EOL apart.
TEST(MhCodes, EachColourSetIsPrefixFreeWithDistinctCodes) {
    for (MhColor color : {MhColor::White, MhColor::Black}) {
        const std::vector<std::string> set = ColourSet(color);
        double kraft = 0;
        for (std::size_t i = 0; i < set.size(); ++i) {
            kraft += 1.0 / static_cast<double>(1u << set[i].size());
            for (std::size_t j = 0; j < set.size(); ++j) {
                if (i == j) continue;
                EXPECT_NE(set[j].rfind(set[i], 0), 0u) << set[i] << " starts " << set[j];
            }
        }
        EXPECT_EQ(kraft, 1.0 - 1.0 / 256 + 1.0 / 4096);
    }
}

TEST(MhCodes, ReversedFormPutsTheFirstBitInBitZero) {
    const MhCodeTables& t = MhCodes();
    EXPECT_EQ(t.whiteTerminating[0].code, 0b10101100);
    EXPECT_EQ(t.whiteTerminating[0].bits, 8);
    EXPECT_EQ(t.blackTerminating[2].code, 0b11);
    EXPECT_EQ(t.eol.code, 0x800);
    EXPECT_EQ(t.eol.bits, 12);
    EXPECT_EQ(t.alignedEol.code, 0x8000);
    EXPECT_EQ(t.alignedEol.bits, 16);
    // Make-up lookups run on into the shared extended codes.
    EXPECT_EQ(t.MakeUp(MhColor::White, 1728).code, Reversed({0b010011011, 9}).code);
    EXPECT_EQ(t.MakeUp(MhColor::Black, 1792).code, Reversed({0b00000001000, 11}).code);
    EXPECT_EQ(t.MakeUp(MhColor::White, 2560).bits, 12);
    for (MhColor color : {MhColor::White, MhColor::Black}) {
        for (int run = 0; run <= kMhMaxTerminatingRun; ++run) {
            const MhWrittenCode w = WrittenTerminatingCodes(color)[static_cast<std::size_t>(run)];
            const MhCode r = t.Terminating(color, run);
            ASSERT_EQ(r.bits, w.bits);
            for (int i = 0; i < w.bits; ++i) EXPECT_EQ(r.code >> i & 1, w.code >> (w.bits - 1 - i) & 1);
        }
    }
}

}  // namespace
}  // namespace vl::faxdoc
