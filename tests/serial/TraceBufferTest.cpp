#include "serial/TraceBuffer.h"

#include <gtest/gtest.h>

#include <string>

#include "support/TestSupport.h"
#include "base/ErrorCodes.h"

namespace vl::serial {
namespace {

void AddText(TraceBuffer& trace, char kind, const std::string& text) {
    for (char c : text) trace.Add(kind, static_cast<std::uint8_t>(c));
}

TraceBuffer Started(std::size_t entries = 100) {
    TraceBuffer trace;
    EXPECT_EQ(trace.Start(entries), 0);
    return trace;
}

TEST(TraceBufferFormat, GroupsByKindWithBlankLinesBetween) {
    TraceBuffer trace = Started();
    AddText(trace, 'T', "AT\r");
    AddText(trace, 'R', "\r\nOK\r\n");
    AddText(trace, 'X', "!");
    AddText(trace, 'T', "Z");
    trace.Add('\x01', 'a');  // an unprintable special kind is bracketed
    EXPECT_EQ(trace.Format(false, false),
              "Transmit: AT[13]\n\nReceive: [13][10]OK[13][10]\n\nSpecial-X: !\n\nTransmit: Z\n\nSpecial-[1]: a\n");
    EXPECT_EQ(trace.Format(true, false),
              "Transmit: AT[0D]\n\nReceive: [0D][0A]OK[0D][0A]\n\nSpecial-X: !\n\nTransmit: Z\n\nSpecial-[1]: a\n");
}

TEST(TraceBufferFormat, PrintableEdgesInEveryMode) {
    TraceBuffer trace = Started();
    for (std::uint8_t byte : {31, 32, 33, 126, 127, 255}) trace.Add('R', byte);
    EXPECT_EQ(trace.Format(false, false), "Receive: [31] !~[127][255]\n");
    EXPECT_EQ(trace.Format(true, false), "Receive: [1F][20]!~[7F][FF]\n");
    EXPECT_EQ(trace.Format(false, true), "Receive: [1F][20][21][7E][7F][FF]\n");
    EXPECT_EQ(trace.Format(true, true), "Receive: [1F][20][21][7E][7F][FF]\n");
}

TEST(TraceBufferFormat, LinesWrapAfter78Columns) {
    TraceBuffer trace = Started();
    AddText(trace, 'T', std::string(68, 'a'));  // "Transmit: " + 68 fills the line exactly
    trace.Add('T', 'b');
    EXPECT_EQ(trace.Format(false, false), "Transmit: " + std::string(68, 'a') + "\nb\n");

    // A bracketed byte is never split: it moves to the next line whole.
    trace.Clear();
    AddText(trace, 'T', std::string(66, 'a'));
    trace.Add('T', 13);
    trace.Add('T', 10);
    EXPECT_EQ(trace.Format(false, false), "Transmit: " + std::string(66, 'a') + "\n[13][10]\n");
}

TEST(TraceBuffer, WrapsKeepingNewestEntriesOldestFirst) {
    TraceBuffer trace = Started(3);
    AddText(trace, 'T', "12");
    EXPECT_EQ(trace.Format(false, false), "Transmit: 12\n");
    AddText(trace, 'T', "345");
    EXPECT_EQ(trace.Size(), 3u);
    EXPECT_EQ(trace.Format(false, false), "Transmit: 345\n");
    trace.Add('R', '6');
    EXPECT_EQ(trace.Format(false, false), "Transmit: 45\n\nReceive: 6\n");
}

TEST(TraceBuffer, StartLimitsAndRestart) {
    TraceBuffer trace;
    EXPECT_FALSE(trace.Active());
    EXPECT_EQ(trace.Start(kMaxTraceEntries + 1), base::ecBadArgument);
    EXPECT_FALSE(trace.Active());
    ASSERT_EQ(trace.Start(kMaxTraceEntries), 0);
    AddText(trace, 'T', "AT");
    // Refused sizes leave the running trace alone; accepted ones empty it.
    EXPECT_EQ(trace.Start(kMaxTraceEntries + 1), base::ecBadArgument);
    EXPECT_EQ(trace.Size(), 2u);
    ASSERT_EQ(trace.Start(10), 0);
    EXPECT_EQ(trace.Size(), 0u);
    EXPECT_TRUE(trace.Active());
}

TEST(TraceBuffer, EmptyOrZeroEntriesFormatsAsNothing) {
    EXPECT_EQ(Started().Format(true, false), "");
    TraceBuffer trace = Started(0);
    trace.Add('T', 'A');
    EXPECT_EQ(trace.Size(), 0u);
    EXPECT_EQ(trace.Format(false, false), "");
}

TEST(TraceBuffer, PauseClearAndStop) {
    TraceBuffer trace = Started();
    trace.Add('T', 'A');
    trace.Pause();
    EXPECT_FALSE(trace.Active());
    trace.Add('T', 'B');
    trace.Resume();
    trace.Add('T', 'C');
    EXPECT_EQ(trace.Format(false, false), "Transmit: AC\n");
    trace.Clear();
    EXPECT_TRUE(trace.Active());
    EXPECT_EQ(trace.Size(), 0u);
    trace.Stop();
    EXPECT_FALSE(trace.Started());
    trace.Add('T', 'D');
    EXPECT_EQ(trace.Size(), 0u);
}

TEST(TraceBufferWrite, ReplacesOrAppendsThenStops) {
    test::TempDir dir;
    const std::string file = dir.folder() + "ZERV.TRC";
    test::WriteFile(file, "old\n");

    TraceBuffer trace = Started();
    AddText(trace, 'T', "AT");
    ASSERT_EQ(trace.Write(file, false, true, false), 0);
    EXPECT_EQ(test::ReadFile(file), "Transmit: AT\n");
    EXPECT_FALSE(trace.Started());

    ASSERT_EQ(trace.Start(10), 0);
    AddText(trace, 'R', "OK");
    ASSERT_EQ(trace.Write(file, true, true, false), 0);
    EXPECT_EQ(test::ReadFile(file), "Transmit: AT\nReceive: OK\n");

    // Appending to a file that does not exist creates it.
    ASSERT_EQ(trace.Start(10), 0);
    AddText(trace, 'R', "OK");
    ASSERT_EQ(trace.Write(dir.folder() + "new.trc", true, true, false), 0);
    EXPECT_EQ(test::ReadFile(dir.folder() + "new.trc"), "Receive: OK\n");
}

TEST(TraceBufferWrite, FailureKeepsTheTrace) {
    test::TempDir dir;
    TraceBuffer trace = Started();
    AddText(trace, 'T', "AT");
    for (bool append : {false, true}) {
        EXPECT_LT(trace.Write(dir.folder() + "missing/ZERV.TRC", append, true, false), 0);
        EXPECT_TRUE(trace.Active());
        EXPECT_EQ(trace.Size(), 2u);
    }
}

}  // namespace
}  // namespace vl::serial
