#include "fax/ResponseCollector.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

namespace vl::fax {
namespace {

using Event = ResponseCollector::Event;
using Bytes = std::vector<std::uint8_t>;

// Feeds every byte and returns the events that were not None, in order.
std::vector<Event> FeedAll(ResponseCollector& collector, const std::string& bytes) {
    std::vector<Event> events;
    for (char c : bytes) {
        Event e = collector.Feed(static_cast<std::uint8_t>(c));
        if (e != Event::None) events.push_back(e);
    }
    return events;
}

std::vector<std::string> LinesOf(const std::string& bytes) {
    ResponseCollector collector;
    std::vector<std::string> lines;
    for (char c : bytes) {
        if (collector.Feed(static_cast<std::uint8_t>(c)) == Event::Line) lines.push_back(collector.Line());
    }
    return lines;
}

TEST(ResponseCollectorLines, LinesEndAtCrLfAndAreTrimmed) {
    struct Case {
        std::string input;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"\r\nOK\r\n", {"OK"}},
        {"\r\n\r\n  \t\r\nCONNECT 9600\r\n", {"CONNECT 9600"}},      // empty lines are skipped
        {"OK\r", {}},                                                // no LF yet: no line
        {"A\rB\r\n", {"A\rB"}},                                      // a lone CR stays inside
        {"\r\r\nNO CARRIER\r\n", {"NO CARRIER"}},                    // CR CR LF still ends the line
        {"\x01 +FHNG: 0 \x7f\r\n", {"+FHNG: 0"}},                    // control bytes at both ends go
        {"\r\n+FCLASS: 0,1\r\n\r\nOK\r\n", {"+FCLASS: 0,1", "OK"}},
    };
    for (const Case& c : cases) EXPECT_EQ(LinesOf(c.input), c.lines) << c.input;
}

TEST(ResponseCollectorLines, OverlongLineKeepsItsFirst128Characters) {
    std::string start(ResponseCollector::kMaxLine, 'A');
    auto lines = LinesOf(start + "BBBB ERROR\r\nOK\r\n");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], start);
    EXPECT_EQ(lines[1], "OK");  // the dropped end did not spill into the next line
}

TEST(ResponseCollectorLines, CrLfBeyondTheBufferStillEndsTheLine) {
    ResponseCollector collector;
    auto events = FeedAll(collector, std::string(500, 'x') + "\r\n");
    EXPECT_EQ(events, std::vector<Event>{Event::Line});
    EXPECT_EQ(collector.Line().size(), ResponseCollector::kMaxLine);
}

TEST(ResponseCollectorLines, ResetDropsAPartialLine) {
    ResponseCollector collector;
    FeedAll(collector, "\r\nGARB");
    collector.Reset();
    EXPECT_EQ(FeedAll(collector, "\nOK\r\n"), std::vector<Event>{Event::Line});
    EXPECT_EQ(collector.Line(), "OK");
}

TEST(ResponseCollectorLines, DleEtxOutsideAFrameIsText) {
    ResponseCollector collector;
    EXPECT_TRUE(FeedAll(collector, "\x10\x03").empty());
    EXPECT_EQ(FeedAll(collector, "OK\r\n"), std::vector<Event>{Event::Line});
}

struct FrameCase {
    const char* what;
    std::string input;  // bytes after ExpectFrame
    Bytes frame;
};

class ResponseCollectorFrames : public ::testing::TestWithParam<FrameCase> {};

TEST_P(ResponseCollectorFrames, FrameEndsAtDleEtxOnly) {
    const FrameCase& c = GetParam();
    ResponseCollector collector;
    collector.ExpectFrame();
    EXPECT_EQ(FeedAll(collector, c.input), std::vector<Event>{Event::Frame});
    EXPECT_EQ(collector.Frame(), c.frame);
    EXPECT_FALSE(collector.ReceivingFrame());
    EXPECT_FALSE(collector.FrameTruncated());
}

INSTANTIATE_TEST_SUITE_P(
    ModemFrames, ResponseCollectorFrames,
    ::testing::Values(
        FrameCase{"plain", std::string("\xFF\x13\x84\x10\x03", 5), Bytes{0xFF, 0x13, 0x84}},
        FrameCase{"CR LF inside", std::string("\xFF\x03\x40\r\n\x41\x10\x03", 8),
                  Bytes{0xFF, 0x03, 0x40, '\r', '\n', 0x41}},
        FrameCase{"doubled DLE then ETX data byte", std::string("\xFF\x03\x10\x10\x03\x10\x03", 7),
                  Bytes{0xFF, 0x03, 0x10, 0x03}},
        FrameCase{"doubled DLE at the end", std::string("\xFF\x13\x10\x10\x10\x03", 6), Bytes{0xFF, 0x13, 0x10}},
        FrameCase{"bytes before the address dropped", std::string("\r\n\x00\x7F\xFF\x13\xFB\x10\x03", 9),
                  Bytes{0xFF, 0x13, 0xFB}},
        FrameCase{"DLE with another byte kept whole", std::string("\xFF\x10\x41\x10\x03", 5),
                  Bytes{0xFF, 0x10, 0x41}},
        FrameCase{"no address at all", std::string("garbage\x10\x03", 9), Bytes{}}),
    [](const auto& info) {
        std::string name;
        for (const char* p = info.param.what; *p; ++p) name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
        return name;
    });

TEST(ResponseCollectorFrame, ModemLinesAroundTheFrameStayLines) {
    ResponseCollector collector;
    EXPECT_EQ(FeedAll(collector, "\r\nCONNECT\r\n"), std::vector<Event>{Event::Line});
    EXPECT_EQ(collector.Line(), "CONNECT");
    collector.ExpectFrame();
    EXPECT_EQ(FeedAll(collector, std::string("\xFF\x13\x80\x00\x0D\x0A\x10\x03", 8)), std::vector<Event>{Event::Frame});
    EXPECT_EQ(FeedAll(collector, "\r\nOK\r\n"), std::vector<Event>{Event::Line});
    EXPECT_EQ(collector.Line(), "OK");
    EXPECT_EQ(collector.Frame().size(), 6u);  // the frame stays readable after the OK
}

TEST(ResponseCollectorFrame, LongFrameIsCutAndMarked) {
    ResponseCollector collector;
    collector.ExpectFrame();
    std::string body(ResponseCollector::kMaxFrame + 20, '\x55');
    body[0] = '\xFF';
    EXPECT_EQ(FeedAll(collector, body + "\x10\x03"), std::vector<Event>{Event::Frame});
    EXPECT_EQ(collector.Frame().size(), ResponseCollector::kMaxFrame);
    EXPECT_TRUE(collector.FrameTruncated());
    collector.ExpectFrame();  // the next frame starts clean
    FeedAll(collector, std::string("\xFF\x13\x84\x10\x03", 5));
    EXPECT_FALSE(collector.FrameTruncated());
    EXPECT_EQ(collector.Frame().size(), 3u);
}

TEST(ResponseCollectorFrame, LongestT30FrameFitsWhole) {
    ResponseCollector collector;
    collector.ExpectFrame();
    std::string body("\xFF\x03\x06\x00", 4);
    body += std::string(256, '\x10');  // every data byte a DLE, so doubled on the line
    std::string line;
    for (char c : body) line += c == '\x10' ? std::string("\x10\x10") : std::string(1, c);
    EXPECT_EQ(FeedAll(collector, line + "\xAB\xCD\x10\x03"), std::vector<Event>{Event::Frame});
    EXPECT_EQ(collector.Frame().size(), 4u + 256u + 2u);
    EXPECT_FALSE(collector.FrameTruncated());
}

TEST(ResponseCollectorFrame, ResetLeavesFrameMode) {
    ResponseCollector collector;
    collector.ExpectFrame();
    FeedAll(collector, "\xFF\x13");
    collector.Reset();
    EXPECT_FALSE(collector.ReceivingFrame());
    EXPECT_TRUE(collector.Frame().empty());
    EXPECT_EQ(FeedAll(collector, "NO CARRIER\r\n"), std::vector<Event>{Event::Line});
}

}  // namespace
}  // namespace vl::fax
