// Whole fax calls between two emulated modems, the computers scripted as a
// fax program drives them: dialing, answering, pages each way, the end.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Class2TestLine.h"

namespace vl::linesim::test {
namespace {

const char* FClass(Class2Dialect d) { return d == Class2Dialect::Class2 ? "2" : "2.0"; }
std::string Hangup(Class2Dialect d, const char* code) {
    return (d == Class2Dialect::Class2 ? "+FHNG:" : "+FHS:") + std::string(code);
}
std::string Pts(Class2Dialect d, int code) {
    return (d == Class2Dialect::Class2 ? "+FPTS:" : "+FPS:") + std::to_string(code);
}

struct Call {
    Class2Dialect d[2];
    int sender;
    int pages;
};

class Class2Call : public testing::TestWithParam<Call> {};

void PrepareHosts(TestLine& t, const Call& c) {
    for (int side = 0; side < 2; ++side) {
        t.Command(side, std::string("AT+FCLASS=") + FClass(c.d[side]));
        t.Command(side, "AT+FCR=1");
    }
    const int s = c.sender;
    t.Command(s, c.d[s] == Class2Dialect::Class2 ? "AT+FLID=\"SENDER 1\"" : "AT+FLI=\"SENDER 1\"");
    t.Command(1 - s, c.d[1 - s] == Class2Dialect::Class2 ? "AT+FLID=\"RECEIVER\"" : "AT+FLI=\"RECEIVER\"");
}

TEST_P(Class2Call, PagesArriveIntactInTheReceiversBitOrder) {
    const Call c = GetParam();
    const int s = c.sender, r = 1 - s;
    TestLine t(c.d[0], c.d[1]);
    PrepareHosts(t, c);

    t.Write(s, "ATDT 555 0123\r");
    t.WaitFor(r, "RING");
    EXPECT_EQ(t.Host(s).dialed, "5550123");
    t.Write(r, "ATA\r");
    const std::string dial = t.WaitFor(s, "\r\nOK\r\n");
    EXPECT_NE(dial.find(c.d[s] == Class2Dialect::Class2 ? "+FCON" : "+FCO"), std::string::npos) << dial;
    EXPECT_NE(dial.find(c.d[s] == Class2Dialect::Class2 ? "+FCSI:\"RECEIVER\"" : "+FCI:\"RECEIVER\""),
              std::string::npos) << dial;

    for (int page = 0; page < c.pages; ++page) {
        const bool last = page + 1 == c.pages;
        const std::string sent = TestPage(page, 2000);
        t.Write(s, "AT+FDT\r");
        if (page == 0) {
            const std::string answer = t.WaitFor(r, "\r\nOK\r\n");
            EXPECT_NE(answer.find(c.d[r] == Class2Dialect::Class2 ? "+FTSI:\"SENDER 1\"" : "+FTI:\"SENDER 1\""),
                      std::string::npos) << answer;
        }
        t.Write(r, "AT+FDR\r");
        t.WaitFor(s, "CONNECT\r\n");
        t.WaitFor(s, std::string(1, kXon));
        const std::int64_t start = t.Now();
        t.Write(s, Shielded(sent));
        t.WaitFor(r, "CONNECT\r\n");
        t.Write(r, std::string(1, kDc2));
        std::string got = ReadPage(t, r);
        t.WaitFor(s, "\r\nOK\r\n");
        // 2004 bytes at 14400 bit/s take over a second on the line.
        EXPECT_GE(t.Now() - start, 1100);
        if (c.d[r] == Class2Dialect::Class2) ReverseBits(got);
        EXPECT_EQ(got, sent) << "page " << page;

        t.Write(s, last ? "AT+FET=2\r" : "AT+FET=0\r");
        EXPECT_NE(t.WaitFor(r, "\r\nOK\r\n").find(last ? "+FET:2" : "+FET:0"), std::string::npos);
        t.Write(r, "AT+FDR\r");
        const std::string reply = t.WaitFor(s, last ? "\r\nOK\r\n" : "\r\nOK\r\n");
        EXPECT_NE(reply.find(Pts(c.d[s], 1)), std::string::npos) << reply;
        if (last) {
            EXPECT_NE(reply.find(Hangup(c.d[s], c.d[s] == Class2Dialect::Class2 ? "0" : "00")), std::string::npos);
            const std::string end = t.WaitFor(r, "\r\nOK\r\n");
            EXPECT_NE(end.find(Hangup(c.d[r], c.d[r] == Class2Dialect::Class2 ? "0" : "00")), std::string::npos)
                << end;
        }
    }
    const SideReport tx = t.Modem(s).Report(), rx = t.Modem(r).Report();
    EXPECT_EQ(tx.pagesSent, c.pages);
    EXPECT_EQ(rx.pagesReceived, c.pages);
    EXPECT_TRUE(tx.completed);
    EXPECT_TRUE(rx.completed);
    EXPECT_EQ(tx.stationId, "SENDER 1");
    EXPECT_EQ(rx.stationId, "RECEIVER");
    EXPECT_EQ(rx.bitRate, 14400);
    EXPECT_EQ(rx.resolution, "fine");
    // Both modems are free for the next call.
    t.Command(s, "AT");
    t.Command(r, "AT");
}

constexpr Class2Dialect k2 = Class2Dialect::Class2, k20 = Class2Dialect::Class20;
INSTANTIATE_TEST_SUITE_P(Dialects, Class2Call,
                         testing::Values(Call{{k2, k2}, 0, 1}, Call{{k2, k2}, 1, 2}, Call{{k20, k20}, 0, 2},
                                         Call{{k20, k20}, 1, 1}, Call{{k2, k20}, 0, 1}, Call{{k20, k2}, 0, 2}));

}  // namespace
}  // namespace vl::linesim::test
