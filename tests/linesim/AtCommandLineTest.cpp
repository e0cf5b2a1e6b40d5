#include "AtCommandLine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vl::linesim {
namespace {

std::vector<AtCommand> Parse(std::string_view line) {
    std::vector<AtCommand> out;
    EXPECT_TRUE(ParseCommandLine(line, out)) << line;
    return out;
}

bool Refused(std::string_view line) {
    std::vector<AtCommand> out{AtCommand{}};
    const bool ok = ParseCommandLine(line, out);
    return !ok && out.empty();
}

AtCommand Basic(char letter, int number, bool hasNumber) {
    AtCommand c;
    c.letter = letter;
    c.number = number;
    c.hasNumber = hasNumber;
    return c;
}

TEST(AtCommandLine, BasicCommandsInAnyCaseAndSpacing) {
    const std::vector<AtCommand> expected{Basic('E', 0, true), Basic('V', 0, true)};
    EXPECT_EQ(Parse("ATE0V0"), expected);
    EXPECT_EQ(Parse("ate0v0"), expected);
    EXPECT_EQ(Parse("aT e 0  v0 "), expected);
    EXPECT_EQ(Parse("AT"), std::vector<AtCommand>{});
    EXPECT_EQ(Parse("ATH"), std::vector<AtCommand>{Basic('H', 0, false)});
    EXPECT_EQ(Parse("ATH0Z"), (std::vector<AtCommand>{Basic('H', 0, true), Basic('Z', 0, false)}));
    EXPECT_EQ(Parse("ATX4I3"), (std::vector<AtCommand>{Basic('X', 4, true), Basic('I', 3, true)}));
    EXPECT_EQ(Parse("ATE007"), std::vector<AtCommand>{Basic('E', 7, true)});
}

TEST(AtCommandLine, AmpersandCommands) {
    const auto cmds = Parse("AT&F&c1 &D2");
    ASSERT_EQ(cmds.size(), 3u);
    EXPECT_EQ(cmds[0].kind, AtKind::Ampersand);
    EXPECT_EQ(cmds[0].letter, 'F');
    EXPECT_FALSE(cmds[0].hasNumber);
    EXPECT_EQ(cmds[1].letter, 'C');
    EXPECT_EQ(cmds[1].number, 1);
    EXPECT_EQ(cmds[2].letter, 'D');
    EXPECT_EQ(cmds[2].number, 2);
    EXPECT_TRUE(Refused("AT&"));
    EXPECT_TRUE(Refused("AT&1"));
}

TEST(AtCommandLine, SRegisters) {
    const auto cmds = Parse("ATS0=2S7?s0?");
    ASSERT_EQ(cmds.size(), 3u);
    EXPECT_EQ(cmds[0].kind, AtKind::SSet);
    EXPECT_EQ(cmds[0].number, 0);
    EXPECT_EQ(cmds[0].value, 2);
    EXPECT_EQ(cmds[1].kind, AtKind::SRead);
    EXPECT_EQ(cmds[1].number, 7);
    EXPECT_EQ(cmds[2].kind, AtKind::SRead);
    EXPECT_EQ(cmds[2].number, 0);
    EXPECT_EQ(Parse("ATS255=255")[0].value, 255);
    for (const char* bad : {"ATS=2", "ATS0=", "ATS0", "ATS?", "ATS256=1", "ATS0=256", "ATS0=99999999999999"}) {
        EXPECT_TRUE(Refused(bad)) << bad;
    }
}

TEST(AtCommandLine, DialStrings) {
    auto cmds = Parse("ATDT555,1234;");
    ASSERT_EQ(cmds.size(), 1u);
    EXPECT_EQ(cmds[0].kind, AtKind::Dial);
    EXPECT_EQ(cmds[0].dial, "T555,1234");
    EXPECT_TRUE(cmds[0].dialStaysInCommandMode);

    cmds = Parse("atdp 9w 555 0100");
    ASSERT_EQ(cmds.size(), 1u);
    EXPECT_EQ(cmds[0].dial, "P9W5550100");
    EXPECT_FALSE(cmds[0].dialStaysInCommandMode);

    // Dial modifiers are not commands: "D" takes the rest of the line.
    EXPECT_EQ(Parse("ATX3DT*70,#12@!")[1].dial, "T*70,#12@!");
    EXPECT_EQ(Parse("ATD")[0].dial, "");

    EXPECT_EQ(Parse("ATDT5;H0").at(1), Basic('H', 0, true));

    EXPECT_EQ(Parse("ATDT(555) 123-4")[0].dial, "T5551234");
    EXPECT_EQ(Parse("ATDT55X5")[0].dial, "T555");
}

TEST(AtCommandLine, ExtendedForms) {
    auto cmds = Parse("AT+FCLASS=?");
    ASSERT_EQ(cmds.size(), 1u);
    EXPECT_EQ(cmds[0].kind, AtKind::ExtTest);
    EXPECT_EQ(cmds[0].name, "+FCLASS");

    cmds = Parse("at+fclass?");
    EXPECT_EQ(cmds[0].kind, AtKind::ExtRead);
    EXPECT_EQ(cmds[0].name, "+FCLASS");

    cmds = Parse("AT+FCLASS=2.0");
    EXPECT_EQ(cmds[0].kind, AtKind::ExtSet);
    EXPECT_EQ(cmds[0].values, std::vector<std::string>{"2.0"});

    cmds = Parse("AT+FDT");
    EXPECT_EQ(cmds[0].kind, AtKind::ExtAction);
    EXPECT_EQ(cmds[0].name, "+FDT");
}

TEST(AtCommandLine, ExtendedValues) {
    auto cmds = Parse("AT+FLID=\"+1 555 0100\"");
    ASSERT_EQ(cmds.size(), 1u);
    EXPECT_EQ(cmds[0].values, std::vector<std::string>{"+1 555 0100"});

    // Quoted text keeps its case and its ';' and ','; the rest is upper case.
    cmds = Parse("at+fli=\"a;b,c\" ;+fcr=1f");
    ASSERT_EQ(cmds.size(), 2u);
    EXPECT_EQ(cmds[0].values, std::vector<std::string>{"a;b,c"});
    EXPECT_EQ(cmds[1].values, std::vector<std::string>{"1F"});

    cmds = Parse("AT+FDIS=1,5,0,2,0,0,0,0;+FCR=1");
    ASSERT_EQ(cmds.size(), 2u);
    EXPECT_EQ(cmds[0].name, "+FDIS");
    EXPECT_EQ(cmds[0].values, (std::vector<std::string>{"1", "5", "0", "2", "0", "0", "0", "0"}));
    EXPECT_EQ(cmds[1].name, "+FCR");
    EXPECT_EQ(cmds[1].values, std::vector<std::string>{"1"});

    // Omitted values stay empty so the emulator can keep the current ones.
    EXPECT_EQ(Parse("AT+FDIS=,,1")[0].values, (std::vector<std::string>{"", "", "1"}));
    EXPECT_EQ(Parse("AT+FLID=\"\"")[0].values, std::vector<std::string>{""});

    // A basic command after an extended one needs the ';'.
    EXPECT_EQ(Parse("AT+FCLASS=2;H0").at(1), Basic('H', 0, true));
    EXPECT_TRUE(Refused("AT+FCLASS?H0"));
    EXPECT_TRUE(Refused("AT+FCR=1&F"));
}

TEST(AtCommandLine, ExtendedValueLimit) {
    std::string sixteen = "AT+FX=0";
    for (int i = 1; i < 16; ++i) sixteen += ",0";
    EXPECT_EQ(Parse(sixteen)[0].values.size(), 16u);
    EXPECT_TRUE(Refused(sixteen + ",0"));
}

TEST(AtCommandLine, GarbageIsRefused) {
    for (const char* bad : {"", "A", "T", "XT", "BTE0", "ATE0$", "AT+", "AT+=1", "AT+FLID=\"open", "AT+FLID=\"x\"y",
                            "AT+FCR=1$", "AT+FCR==1", "AT;", "AT?", "AT+FCLASS=?1", "ATE256", "AT\r", "ATE0\nV0"}) {
        EXPECT_TRUE(Refused(bad)) << bad;
    }
    EXPECT_TRUE(Refused(std::string_view("ATE\0", 4)));
    EXPECT_TRUE(Refused("AT+FLID=\"\x01\""));
}

TEST(AtCommandLine, LineLengthLimit) {
    std::string longest = "AT";
    while (longest.size() < kMaxAtLineLength) longest += 'E';
    EXPECT_EQ(Parse(longest).size(), kMaxAtLineLength - 2);
    EXPECT_TRUE(Refused(longest + "E"));
    EXPECT_TRUE(Refused("ATDT" + std::string(300, '5')));
}

}  // namespace
}  // namespace vl::linesim
