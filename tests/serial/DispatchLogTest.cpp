#include "serial/DispatchLog.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/ErrorCodes.h"
#include "serial/LogBanner.h"
#include "support/TestSupport.h"

namespace vl::serial {
namespace {

const std::string kHeadings =
    "Time      Type      SubType       Data      OtherData\n"
    "--------  --------  ------------  --------  ---------\n";

std::span<const std::uint8_t> Bytes(const std::string& text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

// The entry lines of the report, after the banner and the headings.
std::string Entries(const DispatchLog& log, bool hex = false, bool allHex = false) {
    const std::string text = log.Format(hex, allHex);
    const std::size_t at = text.find(kHeadings);
    EXPECT_NE(at, std::string::npos);
    return at == std::string::npos ? text : text.substr(at + kHeadings.size());
}

DispatchLog Started(std::size_t bytes = 4096) {
    DispatchLog log;
    EXPECT_EQ(log.Start(bytes), 0);
    return log;
}

TEST(DispatchLogFormat, BannerAndHeadings) {
    DispatchLog log = Started();
    const std::string text = log.Format(true, false);
    EXPECT_EQ(text.rfind("Vellora 2.9", 0), 0u);
    EXPECT_NE(text.find("\nCompiler : "), std::string::npos);
    EXPECT_NE(text.find("\nOperating System : "), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - kHeadings.size()), kHeadings);
}

TEST(DispatchLogFormat, OperatingSystemText) {
    EXPECT_EQ(OperatingSystemText("Linux", "6.1.0-18-amd64", "#1 SMP"), "Linux 6.1 (6.1.0-18-amd64 #1 SMP)");
    EXPECT_EQ(OperatingSystemText("Linux", "6", ""), "Linux 6 (6)");
    EXPECT_EQ(OperatingSystemText("Linux", "6.x", ""), "Linux 6 (6.x)");
    EXPECT_EQ(OperatingSystemText("Linux", "", ""), "Unknown");
    EXPECT_EQ(OperatingSystemText("", "6.1", ""), "Unknown");
}

TEST(DispatchLogFormat, EntryColumns) {
    DispatchLog log = Started();
    log.AddAt(1234567, LogKind::Dispatch, static_cast<std::uint8_t>(LogSubkind::WriteCom), 3, Bytes("AT\r"));
    log.AddAt(0, LogKind::Thread, static_cast<std::uint8_t>(LogSubkind::Start), 0xABCDEF12);
    EXPECT_EQ(Entries(log),
              "1234.567  Dispatch  WriteCom      00000003  AT[13]\n"
              "0000.000  Thread    Start         abcdef12  \n");
    EXPECT_EQ(Entries(log, true).substr(0, 50), "1234.567  Dispatch  WriteCom      00000003  AT[0D]");
}

TEST(DispatchLogFormat, TimeReadsSecondsAndMilliseconds) {
    DispatchLog log = Started();
    for (std::uint32_t ms : {0u, 999u, 1000u, 9999999u, 10000000u, 4294967295u})
        log.AddAt(ms, LogKind::NoEvent, 0, 0);
    EXPECT_EQ(Entries(log),
              "0000.000  No event                00000000  \n"
              "0000.999  No event                00000000  \n"
              "0001.000  No event                00000000  \n"
              "9999.999  No event                00000000  \n"
              "10000.000  No event                00000000  \n"
              "4294967.295  No event                00000000  \n");
}

TEST(DispatchLogFormat, ContinuationLinesIndentTo45) {
    DispatchLog log = Started();
    log.AddAt(5, LogKind::User, 0, 0, Bytes(std::string(34, 'x') + "\r\n" + "yz"));
    // 44 columns of fields, 34 bytes fill the line to 78; the bracketed bytes move on whole.
    EXPECT_EQ(Entries(log), "0000.005  User                    00000000  " + std::string(34, 'x') + "\n" +
                                std::string(44, ' ') + "[13][10]yz\n");
}

TEST(DispatchLogFormat, StatusTriggerTypes) {
    DispatchLog log = Started();
    const auto status = static_cast<std::uint8_t>(LogSubkind::Status);
    const auto statusTrigger = static_cast<std::uint8_t>(LogSubkind::StatusTrigger);
    log.AddAt(1, LogKind::Trigger, status, 8 | 3);
    log.AddAt(2, LogKind::TrigAllc, statusTrigger, 16 | 1);
    log.AddAt(3, LogKind::TrDatChg, statusTrigger, 24 | 5, Bytes("Deactivated"));
    log.AddAt(4, LogKind::TrigDisp, statusTrigger, 32);
    log.AddAt(5, LogKind::Trigger, status, 40 | 7);
    log.AddAt(6, LogKind::TrigAllc, statusTrigger, 48 | 2);
    log.AddAt(7, LogKind::TrigAllc, statusTrigger, 56 | 4);
    EXPECT_EQ(Entries(log),
              "0000.001  Trigger   Status        0000000b  (Output buffer free)\n"
              "0000.002  TrigAllc  Status        00000011  (Modem status)\n"
              "0000.003  TrDatChg  Status        0000001d  (Output sent)Deactivated\n"
              "0000.004  TrigDisp  Status        00000020  (Not active)\n"
              "0000.005  Trigger   Status        0000002f  (Type 7)\n"
              "0000.006  TrigAllc  Status        00000032  (Line status)\n"
              "0000.007  TrigAllc  Status        0000003c  (Output buffer used)\n");
}

TEST(DispatchLogFormat, ModemStatusBitNames) {
    DispatchLog log = Started();
    const auto modemStatus = static_cast<std::uint8_t>(LogSubkind::ModemStatus);
    log.AddAt(1, LogKind::Dispatch, modemStatus, 0x93);
    log.AddAt(2, LogKind::Dispatch, modemStatus, 0x6C);
    log.AddAt(3, LogKind::Dispatch, modemStatus, 0);
    EXPECT_EQ(Entries(log),
              "0000.001  Dispatch  Modem status  00000093  DCTS DDSR CTS DCD \n"
              "0000.002  Dispatch  Modem status  0000006c  TERI DDCD DSR RI \n"
              "0000.003  Dispatch  Modem status  00000000  \n");
}

TEST(DispatchLogFormat, UnknownKindsAndEngineSubkinds) {
    DispatchLog log = Started();
    log.SetEngineSubkindNames({"rfInit", "rfDial"});
    log.AddAt(1, static_cast<LogKind>(200), 99, 0);
    log.AddAt(2, LogKind::Fax, kFirstEngineSubkind + 1, 0);
    log.AddAt(3, LogKind::Fax, kFirstEngineSubkind + 2, 0);
    // Status and modem-status decoding is for the dispatcher's own kinds only.
    log.AddAt(4, LogKind::Packet, static_cast<std::uint8_t>(LogSubkind::Status), 3);
    EXPECT_EQ(Entries(log),
              "0000.001  200       99            00000000  \n"
              "0000.002  Fax       rfDial        00000000  \n"
              "0000.003  Fax       22            00000000  \n"
              "0000.004  Packet    Status        00000003  \n");
}

TEST(DispatchLogFormat, UserTextAndByteModes) {
    DispatchLog log = Started();
    log.AddUserText("a b\x7f");
    const std::string entries = Entries(log);
    EXPECT_EQ(entries.substr(10, 37), "User                    00000000  a b");
    EXPECT_EQ(entries.substr(44), "a b[127]\n");
    EXPECT_EQ(Entries(log, true).substr(44), "a[20]b[7F]\n");
    EXPECT_EQ(Entries(log, false, true).substr(44), "[61][20][62][7F]\n");
}

// Each entry below takes 16 + 4 bytes.
void AddNumbered(DispatchLog& log, std::uint32_t number) {
    log.AddAt(number, LogKind::Dispatch, static_cast<std::uint8_t>(LogSubkind::ReadCom), number, Bytes("abcd"));
}

TEST(DispatchLogRing, NewEntriesPushOutWholeOldestEntries) {
    DispatchLog log = Started(70);
    for (std::uint32_t n = 1; n <= 3; ++n) AddNumbered(log, n);
    EXPECT_EQ(log.EntryCount(), 3u);
    AddNumbered(log, 4);
    EXPECT_EQ(log.EntryCount(), 3u);
    EXPECT_EQ(Entries(log),
              "0000.002  Dispatch  ReadCom       00000002  abcd\n"
              "0000.003  Dispatch  ReadCom       00000003  abcd\n"
              "0000.004  Dispatch  ReadCom       00000004  abcd\n");
    // A larger entry pushes out as many as it needs, across the ring's end.
    log.AddAt(5, LogKind::User, 0, 5, Bytes(std::string(24, 'z')));
    EXPECT_EQ(log.EntryCount(), 2u);
    EXPECT_EQ(log.UsedBytes(), 60u);
    EXPECT_EQ(Entries(log),
              "0000.004  Dispatch  ReadCom       00000004  abcd\n"
              "0000.005  User                    00000005  " + std::string(24, 'z') + "\n");
    for (std::uint32_t n = 6; n <= 40; ++n) AddNumbered(log, n);
    EXPECT_EQ(Entries(log),
              "0000.038  Dispatch  ReadCom       00000026  abcd\n"
              "0000.039  Dispatch  ReadCom       00000027  abcd\n"
              "0000.040  Dispatch  ReadCom       00000028  abcd\n");
}

TEST(DispatchLogRing, EntryLargerThanTheLogKeepsItsHead) {
    DispatchLog log = Started(32);
    AddNumbered(log, 1);
    log.AddAt(2, LogKind::User, 0, 0, Bytes(std::string(10, 'a') + std::string(90, 'b')));
    EXPECT_EQ(log.EntryCount(), 1u);
    EXPECT_EQ(log.UsedBytes(), 32u);
    EXPECT_EQ(Entries(log), "0000.002  User                    00000000  aaaaaaaaaabbbbbb(cut)\n");
    AddNumbered(log, 3);
    EXPECT_EQ(Entries(log), "0000.003  Dispatch  ReadCom       00000003  abcd\n");
}

TEST(DispatchLogRing, LogSmallerThanARecordKeepsNothing) {
    DispatchLog log = Started(kLogRecordSize - 1);
    AddNumbered(log, 1);
    log.AddUserText("x");
    EXPECT_EQ(log.EntryCount(), 0u);
    EXPECT_EQ(Entries(log), "");
}

TEST(DispatchLog, StartLimitsPauseClearStop) {
    DispatchLog log;
    AddNumbered(log, 1);
    EXPECT_EQ(log.EntryCount(), 0u);
    EXPECT_EQ(log.Start(kMaxLogBytes + 1), base::ecBadArgument);
    EXPECT_FALSE(log.Active());
    ASSERT_EQ(log.Start(kMaxLogBytes), 0);
    AddNumbered(log, 1);
    EXPECT_EQ(log.Start(kMaxLogBytes + 1), base::ecBadArgument);
    EXPECT_EQ(log.EntryCount(), 1u);
    ASSERT_EQ(log.Start(100), 0);
    EXPECT_EQ(log.EntryCount(), 0u);

    AddNumbered(log, 1);
    log.Pause();
    EXPECT_FALSE(log.Active());
    AddNumbered(log, 2);
    log.Resume();
    AddNumbered(log, 3);
    EXPECT_EQ(log.EntryCount(), 2u);
    log.Clear();
    EXPECT_TRUE(log.Active());
    EXPECT_EQ(log.UsedBytes(), 0u);
    log.Stop();
    EXPECT_FALSE(log.Started());
    AddNumbered(log, 4);
    EXPECT_EQ(log.EntryCount(), 0u);
}

TEST(DispatchLog, TimesCountFromTheOrigin) {
    DispatchLog log = Started();
    log.SetOrigin(std::chrono::steady_clock::now() - std::chrono::seconds(5));
    log.AddUserText("x");
    // Entries made before the origin (a clock set ahead) read as 0.
    log.SetOrigin(std::chrono::steady_clock::now() + std::chrono::hours(1));
    log.AddUserText("y");
    const std::string entries = Entries(log);
    EXPECT_EQ(entries.substr(0, 5), "0005.");
    EXPECT_EQ(entries.substr(entries.find('\n') + 1, 8), "0000.000");
}

TEST(DispatchLogWrite, ReplacesOrAppendsThenStops) {
    test::TempDir dir;
    const std::string file = dir.folder() + "ZERV.LOG";
    test::WriteFile(file, "old\n");
    DispatchLog log = Started();
    log.AddAt(1, LogKind::User, 0, 0, Bytes("first"));
    const std::string first = log.Format(true, false);
    ASSERT_EQ(log.Write(file, false, true, false), 0);
    EXPECT_EQ(test::ReadFile(file), first);
    EXPECT_FALSE(log.Started());

    ASSERT_EQ(log.Start(100), 0);
    log.AddAt(2, LogKind::User, 0, 0, Bytes("second"));
    const std::string second = log.Format(false, true);
    ASSERT_EQ(log.Write(file, true, false, true), 0);
    EXPECT_EQ(test::ReadFile(file), first + second);
}

TEST(DispatchLogWrite, FailureKeepsTheLog) {
    test::TempDir dir;
    DispatchLog log = Started();
    log.AddUserText("keep");
    for (bool append : {false, true}) {
        EXPECT_LT(log.Write(dir.folder() + "missing/ZERV.LOG", append, true, false), 0);
        EXPECT_TRUE(log.Active());
        EXPECT_EQ(log.EntryCount(), 1u);
    }
}

}  // namespace
}  // namespace vl::serial
