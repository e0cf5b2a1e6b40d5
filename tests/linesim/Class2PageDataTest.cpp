// DLE shielding and bit order of page data between the computer and the modem.
#include <gtest/gtest.h>

#include <string>

#include "Class2PageData.h"

namespace vl::linesim {
namespace {

TEST(Class2PageData, ReverseBitsMirrorsEachByte) {
    EXPECT_EQ(ReverseBits(0x01), 0x80);
    EXPECT_EQ(ReverseBits(0x10), 0x08);
    EXPECT_EQ(ReverseBits(0xF0), 0x0F);
    for (int b = 0; b < 256; ++b) EXPECT_EQ(ReverseBits(ReverseBits(static_cast<std::uint8_t>(b))), b);
}

struct Stream {
    bool postPageEnds;
    std::string in;     // as the computer writes it
    std::string page;   // the page bytes
    bool ended;
    int postPage;
    std::size_t used;   // bytes of `in` taken
};

class Class2PageDataReader : public testing::TestWithParam<Stream> {};

// Every split of the input in two writes gives the same result.
TEST_P(Class2PageDataReader, UnshieldsWhateverTheWriteBoundaries) {
    const Stream& s = GetParam();
    for (std::size_t split = 0; split <= s.in.size(); ++split) {
        PageDataReader reader(s.postPageEnds);
        std::string page;
        std::size_t used = reader.Take(std::string_view(s.in).substr(0, split), page);
        if (!reader.Ended()) used += reader.Take(std::string_view(s.in).substr(split), page);
        EXPECT_EQ(page, s.page) << "split " << split;
        EXPECT_EQ(reader.Ended(), s.ended);
        EXPECT_EQ(reader.PostPage(), s.postPage);
        EXPECT_EQ(used, s.used);
    }
}

const std::string D(1, kDle), E(1, kEtx);

INSTANTIATE_TEST_SUITE_P(
    Table, Class2PageDataReader,
    testing::Values(Stream{false, "ab" + D + D + "c" + D + E + "AT", "ab" + D + "c", true, -1, 7},
                    Stream{false, D + D + D + E, D, true, -1, 4},
                    Stream{false, "a" + D + "Zb", "ab", false, -1, 4},     // unknown pair dropped
                    Stream{false, "a" + D + ".b", "ab", false, -1, 4},     // Class 2: no post-page ends
                    Stream{true, "a" + D + ".AT", "a", true, 2, 3},        // EOP
                    Stream{true, "a" + D + ",", "a", true, 0, 3},          // MPS
                    Stream{true, "a" + D + ";", "a", true, 1, 3},          // EOM
                    Stream{true, D + D + "." + D + E, D + ".", true, -1, 5},
                    Stream{false, "abc" + D, "abc", false, -1, 4}));       // DLE waits for its partner

TEST(Class2PageData, ShieldDleDoublesEveryDle) {
    EXPECT_EQ(ShieldDle(D + "x" + D + D), D + D + "x" + D + D + D + D);
    EXPECT_EQ(ShieldDle(""), "");
    PageDataReader reader;
    std::string back;
    reader.Take(ShieldDle(D + E + D) + D + E, back);
    EXPECT_EQ(back, D + E + D);
}

}  // namespace
}  // namespace vl::linesim
