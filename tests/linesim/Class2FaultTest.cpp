// Calls that fail, and the result codes and hang-up reports the computers get.
#include <gtest/gtest.h>

#include "Class2TestLine.h"

namespace vl::linesim::test {
namespace {

constexpr Class2Dialect k2 = Class2Dialect::Class2, k20 = Class2Dialect::Class20;

struct DialFault {
    LineFault fault;
    const char* result;
};

class Class2DialFault : public testing::TestWithParam<DialFault> {};

TEST_P(Class2DialFault, EndsTheDialWithItsResultAndFreesTheModem) {
    TestLine t(k2, k2);
    t.fault = GetParam().fault;
    t.Command(0, "AT+FCLASS=2");
    t.Write(0, "ATDT1\r");
    t.WaitFor(0, std::string("\r\n") + GetParam().result + "\r\n");
    t.Command(0, "AT");
    EXPECT_EQ(t.Modem(0).Report().completed, false);
}

INSTANTIATE_TEST_SUITE_P(Faults, Class2DialFault,
                         testing::Values(DialFault{LineFault::Busy, "BUSY"},
                                         DialFault{LineFault::NoDialtone, "NO DIALTONE"},
                                         DialFault{LineFault::NoAnswer, "NO ANSWER"}));

TEST(Class2Fault, VoiceAtTheFarEndGivesTheT1HangUpAfterT1) {
    for (const Class2Dialect d : {k2, k20}) {
        TestLine t(d, d);
        t.link.SetFarEndIsVoice(true);
        for (int side = 0; side < 2; ++side) t.Command(side, d == k2 ? "AT+FCLASS=2" : "AT+FCLASS=2.0");
        t.Write(0, "ATD1\r");
        t.WaitFor(1, "RING");
        t.Write(1, "ATA\r");
        const std::int64_t start = t.Now();
        const std::string said = t.WaitFor(0, "\r\nERROR\r\n", 40000);
        EXPECT_GE(t.Now() - start, 35000);
        EXPECT_NE(said.find(d == k2 ? "+FHNG:11" : "+FHS:11"), std::string::npos) << said;
    }
}

// Sends pages from side 0 until the line drops during page `dropDuring`.
TEST(Class2Fault, CarrierLostMidPageEndsBothSidesInPhaseC) {
    for (const int dropDuring : {1, 2}) {
        TestLine t(k2, k20);
        t.link.DropAfterPage(dropDuring - 1);
        ConnectFax(t, k2, k20, 0);
        t.Write(0, "AT+FDT\r");
        t.WaitFor(1, "\r\nOK\r\n");
        t.Write(1, "AT+FDR\r");
        for (int page = 1; page < dropDuring; ++page) {
            t.WaitFor(0, std::string(1, kXon));
            t.Write(0, Shielded(TestPage(page, 500)));
            t.WaitFor(1, "CONNECT\r\n");
            t.Write(1, std::string(1, kDc2));
            ReadPage(t, 1);
            t.WaitFor(0, "\r\nOK\r\n");
            t.Write(0, "AT+FET=0\r");
            t.WaitFor(1, "+FET:0");
            t.WaitFor(1, "\r\nOK\r\n");
            t.Write(1, "AT+FDR\r");
            t.WaitFor(0, "\r\nOK\r\n");
            t.Write(0, "AT+FDT\r");
        }
        t.WaitFor(0, std::string(1, kXon));
        t.Write(0, Shielded(TestPage(9, 6000)));
        t.WaitFor(1, "CONNECT\r\n");
        t.Write(1, std::string(1, kDc2));
        // The receiver ends the data it has, then reports the loss.
        ReadPage(t, 1);
        EXPECT_NE(t.WaitFor(1, "\r\nERROR\r\n").find("+FHS:90"), std::string::npos);
        // The sender hears the line go when its page ends.
        EXPECT_NE(t.WaitFor(0, "\r\nERROR\r\n").find("+FHNG:40"), std::string::npos);
        EXPECT_EQ(t.Modem(0).Report().pagesSent, dropDuring - 1);
        EXPECT_FALSE(t.Modem(1).Report().completed);
    }
}

// The last page from side 0, once it has sent AT+FDT and side 1 AT+FDR;
// returns what the sender heard after +FET=2.
std::string SendLastPage(TestLine& t, const char* receiverBeforeReply) {
    t.WaitFor(0, std::string(1, kXon));
    t.Write(0, Shielded(TestPage(1, 300)));
    t.WaitFor(1, "CONNECT\r\n");
    t.Write(1, std::string(1, kDc2));
    ReadPage(t, 1);
    t.WaitFor(0, "\r\nOK\r\n");
    t.Write(0, "AT+FET=2\r");
    t.WaitFor(1, "+FET:2");
    t.WaitFor(1, "\r\nOK\r\n");
    if (receiverBeforeReply) t.Command(1, receiverBeforeReply);
    t.Write(1, "AT+FDR\r");
    return t.WaitFor(0, "\r\nOK\r\n");
}

// One page from side 0; returns what the sender heard after +FET=2.
std::string SendOnePage(TestLine& t, const char* receiverBeforeReply) {
    ConnectFax(t, k2, k2, 0);
    t.Write(0, "AT+FDT\r");
    t.WaitFor(1, "\r\nOK\r\n");
    t.Write(1, "AT+FDR\r");
    return SendLastPage(t, receiverBeforeReply);
}

TEST(Class2Fault, NoiseAboveTheThresholdMakesTheReceiverAnswerRtn) {
    for (const double db : {kNoiseSpoilsPagesDb - 1, kNoiseSpoilsPagesDb}) {
        TestLine t(k2, k2);
        t.link.SetNoiseDb(db);
        const std::string said = SendOnePage(t, nullptr);
        const bool spoiled = db >= kNoiseSpoilsPagesDb;
        EXPECT_NE(said.find(spoiled ? "+FPTS:2" : "+FPTS:1"), std::string::npos) << db << ": " << said;
        EXPECT_EQ(t.Modem(0).Report().pagesSent, spoiled ? 0 : 1);
    }
}

// Line hits spoil the first pages only; the sender hears RTN and then MCF.
TEST(Class2Fault, BadPagesFaultSpoilsTheFirstPagesOnly) {
    TestLine t(k2, k2);
    t.link.SpoilFirstPages(1);
    EXPECT_NE(SendOnePage(t, nullptr).find("+FPTS:2"), std::string::npos);
    EXPECT_EQ(t.Modem(0).Report().pagesSent, 0);
    Class2Link link;
    link.SpoilFirstPages(2);
    EXPECT_TRUE(link.PageSpoiled());
    EXPECT_TRUE(link.PageSpoiled());
    EXPECT_FALSE(link.PageSpoiled());
    link.SetNoiseDb(kNoiseSpoilsPagesDb);
    EXPECT_TRUE(link.PageSpoiled());
}

TEST(Class2Fault, TheReceivingComputerMayAskForTheReplyItself) {
    TestLine t(k2, k2);
    const std::string said = SendOnePage(t, "AT+FPTS=3");
    EXPECT_NE(said.find("+FPTS:3"), std::string::npos) << said;
    EXPECT_EQ(t.Modem(0).Report().pagesSent, 1);  // RTP: the page was good
}

TEST(Class2Fault, PostPageMessageWithoutReplyIsRepeatedThreeTimes) {
    TestLine t(k2, k2);
    ConnectFax(t, k2, k2, 0);
    t.Write(0, "AT+FDT\r");
    t.WaitFor(1, "\r\nOK\r\n");
    t.Write(1, "AT+FDR\r");
    t.WaitFor(0, std::string(1, kXon));
    t.Write(0, Shielded(TestPage(1, 300)));
    t.WaitFor(1, "CONNECT\r\n");
    t.Write(1, std::string(1, kDc2));
    t.WaitFor(0, "\r\nOK\r\n");
    t.Write(0, "AT+FET=0\r");
    const std::int64_t start = t.Now();
    // The receiving computer never asks for the next page: no MCF goes back.
    EXPECT_NE(t.WaitFor(0, "\r\nERROR\r\n").find("+FHNG:52"), std::string::npos);
    EXPECT_GE(t.Now() - start, 3 * 3000);
}

}  // namespace
}  // namespace vl::linesim::test
