// The commands of the emulated Class 2 and 2.0 modems, as a computer types them.
#include <gtest/gtest.h>

#include "Class2TestLine.h"

namespace vl::linesim::test {
namespace {

constexpr Class2Dialect k2 = Class2Dialect::Class2, k20 = Class2Dialect::Class20;

struct Exchange {
    Class2Dialect dialect;
    const char* lines;   // command lines run in turn, separated by '|'
    const char* answer;  // what the last line gives, echo off
};

void PrintTo(const Exchange& e, std::ostream* os) { *os << e.lines; }

class Class2Commands : public testing::TestWithParam<Exchange> {};

TEST_P(Class2Commands, Answer) {
    const Exchange& e = GetParam();
    TestLine t(e.dialect, e.dialect);
    t.Command(0, "ATE0");
    std::string lines = e.lines, last;
    for (std::size_t at = 0; at != std::string::npos;) {
        const std::size_t bar = lines.find('|', at);
        last = lines.substr(at, bar == std::string::npos ? bar : bar - at);
        at = bar == std::string::npos ? bar : bar + 1;
        TestHost& h = t.Host(0);
        h.seen = h.out.size();
        t.Write(0, last + "\r");
        t.StepOnce();
    }
    EXPECT_EQ(TestLine::Printable(t.Host(0).out.substr(t.Host(0).seen)), TestLine::Printable(e.answer));
}

INSTANTIATE_TEST_SUITE_P(
    Table, Class2Commands,
    testing::Values(
        Exchange{k2, "AT+FCLASS=?", "\r\n0,2\r\n\r\nOK\r\n"},
        Exchange{k20, "AT+FCLASS=?", "\r\n0,2.0\r\n\r\nOK\r\n"},
        Exchange{k2, "AT+FCLASS=2.0", "\r\nERROR\r\n"},
        Exchange{k20, "AT+FCLASS=2", "\r\nERROR\r\n"},
        Exchange{k2, "AT+FCLASS=2|AT+FCLASS?", "\r\n2\r\n\r\nOK\r\n"},
        // Fax commands need the fax class; identification does not.
        Exchange{k2, "AT+FDIS?", "\r\nERROR\r\n"},
        Exchange{k2, "AT+FMFR?", "\r\nLINESIM\r\n\r\nOK\r\n"},
        Exchange{k20, "AT+FMI?;+FMR?", "\r\nLINESIM\r\n\r\n1.0\r\n\r\nOK\r\n"},
        Exchange{k20, "AT+FMFR?", "\r\nERROR\r\n"},
        // Session parameters: partial settings keep the rest; out of range is refused whole.
        Exchange{k2, "AT+FCLASS=2|AT+FDIS=0,3|AT+FDIS?", "\r\n0,3,0,2,0,0,0,0\r\n\r\nOK\r\n"},
        Exchange{k2, "AT+FCLASS=2|AT+FDIS=0,6|AT+FDIS?", "\r\n1,5,0,2,0,0,0,0\r\n\r\nOK\r\n"},
        Exchange{k2, "AT+FCLASS=2|AT+FDIS=1,2,3,4,5,6,7,8,9,10", "\r\nERROR\r\n"},
        Exchange{k20, "AT+FCLASS=2.0|AT+FCC=,2|AT+FIS?", "\r\n1,2,0,2,0,0,0,0,0\r\n\r\nOK\r\n"},
        Exchange{k20, "AT+FCLASS=2.0|AT+FIS=?",
                 "\r\n(0-1),(0-5),(0-4),(0-2),(0-3),(0-2),(0),(0-7),(0)\r\n\r\nOK\r\n"},
        Exchange{k20, "AT+FCLASS=2.0|AT+FDIS?", "\r\nERROR\r\n"},
        // Local ID: at most 20 characters, spaces kept.
        Exchange{k2, "AT+FCLASS=2|AT+FLID=\" +1 555 0100\"|AT+FLID?", "\r\n\" +1 555 0100\"\r\n\r\nOK\r\n"},
        Exchange{k20, "AT+FCLASS=2.0|AT+FLI=\"123456789012345678901\"", "\r\nERROR\r\n"},
        Exchange{k20, "AT+FCLASS=2.0|AT+FLI=\"ID\"|AT+FIP|AT+FLI?", "\r\n\"\"\r\n\r\nOK\r\n"},
        Exchange{k2, "AT+FCLASS=2|AT+FBOR=3|AT+FBOR?", "\r\n3\r\n\r\nOK\r\n"},
        Exchange{k2, "AT+FCLASS=2|AT+FBOR=4", "\r\nERROR\r\n"},
        Exchange{k20, "AT+FCLASS=2.0|AT+FBO=1|AT+FBO?", "\r\n1\r\n\r\nOK\r\n"},
        Exchange{k2, "AT+FCLASS=2|AT+FPTS=0", "\r\nERROR\r\n"},
        // Settings kept without effect on this line.
        Exchange{k20, "AT+FCLASS=2.0|AT+FNR=1,1,1,0|AT+FNR?", "\r\n1,1,1,0\r\n\r\nOK\r\n"},
        Exchange{k2, "AT+FCLASS=2|AT+FLO=3", "\r\nERROR\r\n"},
        Exchange{k2, "AT+FCLASS=2|AT+FPHCTO=?", "\r\n(0-255)\r\n\r\nOK\r\n"},
        Exchange{k2, "AT+FCLASS=2|AT+FXYZ=1", "\r\nERROR\r\n"},
        // Page commands out of place.
        Exchange{k2, "AT+FCLASS=2|AT+FDT", "\r\nERROR\r\n"},
        Exchange{k2, "AT+FCLASS=2|AT+FDR", "\r\nERROR\r\n"},
        Exchange{k2, "AT+FCLASS=2|AT+FET=1", "\r\nERROR\r\n"},
        Exchange{k2, "AT+FCLASS=2|AT+FET=3", "\r\nERROR\r\n"},
        // Line handling: noise before AT, backspace, the rest of a line after an error.
        Exchange{k2, "xxAT+FCLASS?", "\r\n0\r\n\r\nOK\r\n"},
        Exchange{k2, "AT+FCLASS=9\x08" "2|AT+FCLASS?", "\r\n2\r\n\r\nOK\r\n"},
        Exchange{k2, "ATE0V0", "0\r"},
        Exchange{k2, "ATH", "\r\nOK\r\n"},
        Exchange{k2, "ATA", ""}));  // off hook, waiting for a call

TEST(Class2Modem, EchoesWhatIsTypedAndAutoAnswersAfterS0Rings) {
    TestLine t(k20, k20);
    t.Write(1, "AT+FCLASS=2.0\r");
    EXPECT_EQ(t.WaitFor(1, "\r\nOK\r\n"), "AT+FCLASS=2.0\r");
    t.Command(1, "ATS0=2");
    t.Command(0, "AT+FCLASS=2.0");
    t.Write(0, "ATD5\r");
    t.WaitFor(1, "RING");
    t.WaitFor(1, "RING");
    // No ATA from the computer: the second ring is answered.
    EXPECT_NE(t.WaitFor(0, "\r\nOK\r\n").find("+FCO"), std::string::npos);
}

TEST(Class2Modem, HoldsTheComputerBackWhileAPageIsOnTheLine) {
    TestLine t(k2, k2);
    ConnectFax(t, k2, k2, 0);
    t.Write(0, "AT+FDT\r");
    t.WaitFor(1, "\r\nOK\r\n");
    t.Write(1, "AT+FDR\r");
    t.WaitFor(0, std::string(1, kXon));
    // Feed as a pty reader would: only while the modem is ready.
    const std::string page = Shielded(TestPage(3, 20000));
    std::size_t fed = 0;
    int heldSteps = 0;
    while (fed < page.size()) {
        if (t.Modem(0).ReadyForComputer()) {
            const std::size_t n = std::min<std::size_t>(512, page.size() - fed);
            t.Write(0, std::string_view(page).substr(fed, n));
            fed += n;
        } else {
            ++heldSteps;
        }
        t.StepOnce();
    }
    // 20000 bytes at 14400 bit/s take 11 s; the window holds under 3 s of it.
    EXPECT_GT(heldSteps * 20, 8000);
    t.WaitFor(0, "\r\nOK\r\n");
    EXPECT_TRUE(t.Modem(0).ReadyForComputer());
}

}  // namespace
}  // namespace vl::linesim::test
