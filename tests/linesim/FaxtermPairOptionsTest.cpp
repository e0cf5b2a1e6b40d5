// A fax terminal at each end: A's options are its own, B's keep the names
// they have when B faces a modem.
#include "Options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vl::linesim {
namespace {

std::optional<Options> Parse(const std::vector<std::string>& args, std::string* error = nullptr) {
    std::string e;
    auto o = ParseOptions(args, e);
    if (error) *error = e;
    return o;
}

const std::vector<std::string> kPair = {"--a", "faxterm", "--b", "faxterm"};

std::vector<std::string> PairWith(std::vector<std::string> more) {
    more.insert(more.begin(), kPair.begin(), kPair.end());
    return more;
}

TEST(FaxtermPairOptions, EachEndGetsItsOwnFilesAndId) {
    auto o = Parse(PairWith({"--faxterm-a-send", "out.tif", "--faxterm-a-receive", "back.tif", "--faxterm-a-id",
                             "+1 555 0101", "--faxterm-send", "b-out.tif", "--faxterm-receive", "in.tif",
                             "--faxterm-id", "+1 555 0199"}));
    ASSERT_TRUE(o);
    EXPECT_EQ(o->faxtermASend, "out.tif");
    EXPECT_EQ(o->faxtermAReceive, "back.tif");
    EXPECT_EQ(o->faxtermAId, "+1 555 0101");
    EXPECT_EQ(o->faxtermSend, "b-out.tif");
    EXPECT_EQ(o->faxtermReceive, "in.tif");
    EXPECT_EQ(o->faxtermId, "+1 555 0199");
}

TEST(FaxtermPairOptions, TheTwoEndsHaveDifferentDefaultIds) {
    auto o = Parse(kPair);
    ASSERT_TRUE(o);
    EXPECT_EQ(o->faxtermId, "LINESIM");
    EXPECT_EQ(o->faxtermAId, "LINESIM-A");
    EXPECT_TRUE(o->faxtermASend.empty());
    EXPECT_TRUE(o->faxtermAReceive.empty());
}

TEST(FaxtermPairOptions, AnIdOfTwentyCharactersIsTheMost) {
    EXPECT_TRUE(Parse(PairWith({"--faxterm-a-id", std::string(20, '7')})));
    std::string error;
    EXPECT_FALSE(Parse(PairWith({"--faxterm-a-id", std::string(21, '7')}), &error));
    EXPECT_NE(error.find("--faxterm-a-id"), std::string::npos) << error;
}

// A's options mean nothing unless A is a fax terminal facing another; A calls
// by itself, so --faxterm-call has no place either.
TEST(FaxtermPairOptions, AOptionsWithoutTwoTerminalsAreRefused) {
    const std::vector<std::vector<std::string>> bad = {
        {"--faxterm-a-send", "x.tif"},                                          // class1 facing faxterm
        {"--a", "faxterm", "--b", "class1", "--faxterm-a-receive", "x.tif"},    // one terminal, as A
        {"--a", "class1", "--b", "class1", "--faxterm-a-id", "ME"},
        {"--a", "class2", "--b", "class2", "--faxterm-a-send", "x.tif"},
        PairWith({"--faxterm-call"}),
        PairWith({"--faxterm-a-send", ""}),
        PairWith({"--faxterm-a-receive"}),                                      // value missing
    };
    for (const auto& args : bad) {
        std::string error, joined;
        for (const auto& a : args) joined += a + " ";
        EXPECT_FALSE(Parse(args, &error)) << joined;
        EXPECT_FALSE(error.empty()) << joined;
    }
}

// Both terminals then speak as a plain Class 1 sender does; a terminal
// facing a modem may be limited too, a line without one may not.
TEST(FaxtermPairOptions, MhOnlyNeedsATerminal) {
    auto o = Parse(PairWith({"--faxterm-mh-only"}));
    ASSERT_TRUE(o);
    EXPECT_TRUE(o->faxtermMhOnly);
    EXPECT_FALSE(Parse(kPair)->faxtermMhOnly);
    EXPECT_TRUE(Parse({"--a", "class1", "--b", "faxterm", "--faxterm-mh-only"}));
    std::string error;
    EXPECT_FALSE(Parse({"--a", "class1", "--b", "class1", "--faxterm-mh-only"}, &error));
    EXPECT_NE(error.find("--faxterm-mh-only"), std::string::npos) << error;
}

TEST(FaxtermPairOptions, HelpNamesTheNewOptions) {
    const std::string help = UsageText();
    for (const char* word :
         {"--faxterm-a-send", "--faxterm-a-receive", "--faxterm-a-id", "LINESIM-A", "--faxterm-mh-only"})
        EXPECT_NE(help.find(word), std::string::npos) << word;
}

}  // namespace
}  // namespace vl::linesim
