#include "serial/ReplyMatcher.h"

#include <gtest/gtest.h>

#include <string>

namespace vl::serial {
namespace {

// The index of the byte at which the matcher first answers true, or -1.
int MatchedAt(ReplyMatcher& matcher, const std::string& stream) {
    for (std::size_t i = 0; i < stream.size(); ++i) {
        if (matcher.Feed(static_cast<std::uint8_t>(stream[i]))) return static_cast<int>(i);
    }
    return -1;
}

int MatchedAt(const std::string& expected, bool ignoreCase, const std::string& stream) {
    ReplyMatcher matcher(expected, ignoreCase);
    return MatchedAt(matcher, stream);
}

TEST(ReplyMatcher, CaseModes) {
    EXPECT_EQ(MatchedAt("OK", true, "ok"), 1);
    EXPECT_EQ(MatchedAt("ok", true, "\r\nOK"), 3);
    EXPECT_EQ(MatchedAt("OK", false, "ok"), -1);
    EXPECT_EQ(MatchedAt("OK", false, "oK OK"), 4);
    // Only ASCII letters fold: bytes above 127 compare as they are.
    EXPECT_EQ(MatchedAt("\xC4", true, "\xE4"), -1);
    EXPECT_EQ(MatchedAt("@[", true, "`{"), -1);
}

TEST(ReplyMatcher, FindsTheReplyInsideOtherText) {
    EXPECT_EQ(MatchedAt("OK", true, "garbage O K OK"), 13);
    // Echo of the command, then the framed reply.
    const std::string stream = "AT&F\r\r\nOK\r\n";
    EXPECT_EQ(MatchedAt("\r\nOK\r\n", false, stream), static_cast<int>(stream.size()) - 1);
    EXPECT_EQ(MatchedAt("\r\nOK\r\n", false, "\r\n\r\nOK\r\n"), 7);
    EXPECT_EQ(MatchedAt("\r\nOK\r\n", false, "\r\nERROR\r\n"), -1);
    EXPECT_EQ(MatchedAt("CONNECT", false, "CONCONNECT"), 9);
}

TEST(ReplyMatcher, MismatchRestartsAtOneOnTheFirstByteElseZero) {
    EXPECT_EQ(MatchedAt("OK", false, "OOK"), 2);
    EXPECT_EQ(MatchedAt("AB", false, "AAB"), 2);
    EXPECT_EQ(MatchedAt("OK", false, "OXK"), -1);
    // The count does not fall back to a longer repeated prefix: "ABAC" is not
    // seen in "ABABAC", only once it appears after a clean restart.
    EXPECT_EQ(MatchedAt("ABAC", false, "ABABAC"), -1);
    EXPECT_EQ(MatchedAt("ABAC", false, "ABABACABAC"), 9);
}

TEST(ReplyMatcher, EmptyTextMatchesAtOnce) {
    ReplyMatcher matcher("", false);
    EXPECT_TRUE(matcher.Matched());
    EXPECT_TRUE(matcher.Feed('x'));
}

TEST(ReplyMatcher, StaysMatchedUntilReset) {
    ReplyMatcher matcher("OK", false);
    EXPECT_EQ(MatchedAt(matcher, "OK"), 1);
    EXPECT_TRUE(matcher.Feed('x'));
    matcher.Reset();
    EXPECT_FALSE(matcher.Matched());
    EXPECT_FALSE(matcher.Feed('K'));
    EXPECT_EQ(MatchedAt(matcher, "xOK"), 2);
}

TEST(ReplyMatcher, NulBytesInTheText) {
    EXPECT_EQ(MatchedAt(std::string("\0A", 2), false, std::string("x\0A", 3)), 2);
}

}  // namespace
}  // namespace vl::serial
