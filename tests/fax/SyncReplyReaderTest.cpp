#include "fax/SyncReplyReader.h"

#include <gtest/gtest.h>

#include <string>

namespace vl::fax {
namespace {

using Result = SyncReplyReader::Result;

// Feeds the bytes and returns the first answer that is not NeedMore, with the
// number of bytes it took; NeedMore when all were fed.
std::pair<Result, std::size_t> FeedReply(SyncReplyReader& reader, const std::string& bytes) {
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        Result r = reader.Feed(static_cast<std::uint8_t>(bytes[i]));
        if (r != Result::NeedMore) return {r, i + 1};
    }
    return {Result::NeedMore, bytes.size()};
}

TEST(SyncReplyReader, Replies) {
    struct Case {
        const char* what;
        std::string command;
        std::string reply;
        Result result;
        std::string info;
    };
    const Case cases[] = {
        {"ok", "ATE0", "\r\nOK\r\n", Result::Success, ""},
        {"error", "ATX9", "\r\nERROR\r\n", Result::Failure, ""},
        {"echo skipped", "ATE0Q0V1X4S0=0S2=43", "ATE0Q0V1X4S0=0S2=43\r\r\nOK\r\n", Result::Success, ""},
        {"echo then error", "AT+FCLASS=?", "AT+FCLASS=?\r\r\nERROR\r\n", Result::Failure, ""},
        {"query", "AT+FCLASS=?", "\r\n+FCLASS: 0,1\r\n\r\nOK\r\n", Result::Success, "+FCLASS: 0,1"},
        {"echoed query", "AT+FCLASS=?", "AT+FCLASS=?\r\r\n0,1,2\r\n\r\nOK\r\n", Result::Success, "0,1,2"},
        {"error after info", "AT+FCLASS=?", "\r\n0,1\r\nERROR\r\n", Result::Failure, "0,1"},
        {"only info", "AT+FCLASS=?", "\r\n0,1\r\n", Result::NeedMore, "0,1"},
        {"no reply", "AT", "\r\n\r\n", Result::NeedMore, ""},
        {"control bytes ignored", "AT", "\x11O\x13K\r", Result::Success, ""},
    };
    for (const Case& c : cases) {
        SyncReplyReader reader(c.command);
        EXPECT_EQ(FeedReply(reader, c.reply).first, c.result) << c.what;
        EXPECT_EQ(reader.Info(), c.info) << c.what;
    }
}

TEST(SyncReplyReader, AnswerComesAtTheCrAndStays) {
    SyncReplyReader reader("AT");
    auto [result, used] = FeedReply(reader, "OK\rERROR\r");
    EXPECT_EQ(result, Result::Success);
    EXPECT_EQ(used, 3u);
    for (char c : std::string("ERROR\r")) EXPECT_EQ(reader.Feed(static_cast<std::uint8_t>(c)), Result::Success);
}

TEST(SyncReplyReader, LongLineKeepsItsLast128Characters) {
    SyncReplyReader reader("ATI");
    std::string tail(SyncReplyReader::kMaxLine, 'z');
    EXPECT_EQ(FeedReply(reader, std::string(300, 'a') + tail + "\r").first, Result::NeedMore);
    EXPECT_EQ(reader.Info(), tail);
    // An "OK" pushed out of the kept part no longer counts.
    SyncReplyReader early("ATI");
    EXPECT_EQ(FeedReply(early, "OK" + tail + "\r").first, Result::NeedMore);
}

}  // namespace
}  // namespace vl::fax
