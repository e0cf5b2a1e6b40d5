#include "Options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vl::linesim {
namespace {

std::optional<Options> Parse(std::vector<std::string> args, std::string* error = nullptr) {
    std::string e;
    auto o = ParseOptions(args, e);
    if (error) *error = e;
    return o;
}

TEST(LineOptions, DefaultsAreClass1FacingTheFaxTerminal) {
    auto o = Parse({});
    ASSERT_TRUE(o);
    EXPECT_EQ(o->a, EndpointKind::Class1);
    EXPECT_EQ(o->b, EndpointKind::FaxTerm);
    EXPECT_EQ(o->answerRings, 2);
    EXPECT_EQ(o->faxtermId, "LINESIM");
    EXPECT_EQ(o->faults.call, CallFault::None);
    EXPECT_EQ(o->faults.dropAfterPage, -1);
    EXPECT_EQ(o->faults.badPages, 0);
    EXPECT_EQ(o->timeoutS, 0);
}

TEST(LineOptions, EveryOptionLandsInItsField) {
    auto o = Parse({"--a", "class1", "--b", "faxterm", "--link-a", "/tmp/x", "--link-b", "/tmp/y", "--answer-rings",
                    "5", "--faxterm-call", "--faxterm-send", "s.tif", "--faxterm-receive", "r.tif", "--faxterm-id",
                    "+1 555 0199", "--timeout", "85", "--verbose", "--fault", "no-carrier", "--fault",
                    "drop-after-page:2", "--fault", "noise:-32.5", "--fault", "slow-ok:250", "--fault", "garbage"});
    ASSERT_TRUE(o);
    EXPECT_EQ(o->linkA, "/tmp/x");
    EXPECT_EQ(o->linkB, "/tmp/y");
    EXPECT_EQ(o->answerRings, 5);
    EXPECT_TRUE(o->faxtermCall);
    EXPECT_EQ(o->faxtermSend, "s.tif");
    EXPECT_EQ(o->faxtermReceive, "r.tif");
    EXPECT_EQ(o->faxtermId, "+1 555 0199");
    EXPECT_EQ(o->timeoutS, 85);
    EXPECT_TRUE(o->verbose);
    EXPECT_EQ(o->faults.call, CallFault::NoCarrier);
    EXPECT_EQ(o->faults.dropAfterPage, 2);
    EXPECT_DOUBLE_EQ(o->faults.noiseDbm0.value_or(0), -32.5);
    EXPECT_EQ(o->faults.slowOkMs, 250);
    EXPECT_TRUE(o->faults.garbage);
}

TEST(LineOptions, KindsPairOnlyWithTheirOwnSort) {
    EXPECT_TRUE(Parse({"--a", "class1", "--b", "class1"}));
    EXPECT_TRUE(Parse({"--a", "class2", "--b", "class2.0"}));
    EXPECT_TRUE(Parse({"--a", "faxterm", "--b", "class1"}));
    EXPECT_TRUE(Parse({"--a", "faxterm", "--b", "faxterm"}));
    EXPECT_FALSE(Parse({"--a", "class1", "--b", "class2"}));
    EXPECT_FALSE(Parse({"--a", "class2.0", "--b", "faxterm"}));
}

TEST(LineOptions, CallFaultsNameTheirKind) {
    const std::pair<const char*, CallFault> cases[] = {
        {"busy", CallFault::Busy},           {"no-answer", CallFault::NoAnswer}, {"no-dialtone", CallFault::NoDialtone},
        {"voice", CallFault::Voice},         {"no-carrier", CallFault::NoCarrier},
    };
    for (auto [name, fault] : cases) {
        auto o = Parse({"--fault", name});
        ASSERT_TRUE(o) << name;
        EXPECT_EQ(o->faults.call, fault) << name;
    }
}

// Each bad command line is refused with a message naming the problem.
TEST(LineOptions, BadCommandLinesAreRefused) {
    const std::vector<std::vector<std::string>> bad = {
        {"--a"},                                  // value missing
        {"--a", "class3"},                        // unknown kind
        {"--frobnicate"},                         // unknown option
        {"--answer-rings", "0"},                  // out of range, both ends
        {"--answer-rings", "6"},
        {"--answer-rings", "2x"},                 // trailing junk
        {"--timeout", "0"},
        {"--timeout", "-5"},
        {"--faxterm-id", "123456789012345678901"},  // 21 characters
        {"--faxterm-id", ""},
        {"--fault", "busy", "--fault", "voice"},  // two call faults
        {"--fault", "busy:3"},                    // value where none belongs
        {"--fault", "drop-after-page"},           // value missing
        {"--fault", "drop-after-page:-1"},
        {"--fault", "drop-after-page:1", "--fault", "drop-after-page:2"},
        {"--fault", "noise:loud"},
        {"--fault", "noise:4"},                   // above full scale
        {"--fault", "noise:nan"},
        {"--fault", "slow-ok:0"},
        {"--fault", "loss:0"},                    // no loss is no fault
        {"--fault", "loss:41"},
        {"--fault", "loss:-6"},
        {"--fault", "loss"},
        {"--fault", "loss:10", "--fault", "loss:20"},
        {"--a", "class2", "--b", "class2", "--class1-voice-detect"},  // no Class 1 modem to do it
        {"--fault", "thunder"},
        {"--faxterm-call", "--a", "faxterm", "--b", "class1"},  // the terminal calls A, so it must be B
        {"--a", "class1", "--b", "class1", "--faxterm-send", "x.tif"},
        {"--a", "class1", "--b", "class1", "--fault", "drop-after-page:0"},  // nobody sees pages
        {"--a", "class2", "--b", "class2", "--fault", "bad-pages:0"},        // no bad page is no fault
        {"--a", "class2", "--b", "class2", "--fault", "bad-pages:1000"},
        {"--a", "class2", "--b", "class2", "--fault", "bad-pages"},
        {"--a", "class2", "--b", "class2", "--fault", "bad-pages:1", "--fault", "bad-pages:2"},
        {"--a", "class1", "--b", "faxterm", "--fault", "bad-pages:1"},      // only Class 2 modems judge pages
    };
    for (const auto& args : bad) {
        std::string error;
        std::string joined;
        for (const auto& a : args) joined += a + " ";
        EXPECT_FALSE(Parse(args, &error)) << joined;
        EXPECT_FALSE(error.empty()) << joined;
    }
}

TEST(LineOptions, BadPagesIsForClass2Endpoints) {
    for (const char* kind : {"class2", "class2.0"}) {
        auto o = Parse({"--a", kind, "--b", "class2", "--fault", "bad-pages:999"});
        ASSERT_TRUE(o) << kind;
        EXPECT_EQ(o->faults.badPages, 999);
    }
    auto one = Parse({"--a", "class2", "--b", "class2.0", "--fault", "bad-pages:1", "--fault", "busy"});
    ASSERT_TRUE(one);
    EXPECT_EQ(one->faults.badPages, 1);
    EXPECT_EQ(one->faults.call, CallFault::Busy);
}

// A weak line: the loss and the noise on it are separate faults.
TEST(LineOptions, LossAndVoiceDetectionLandInTheirFields) {
    auto plain = Parse({});
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->faults.lossDb, 0);
    EXPECT_FALSE(plain->class1VoiceDetect);
    auto o = Parse({"--fault", "loss:20.5", "--fault", "noise:-50", "--class1-voice-detect", "--a", "faxterm",
                    "--b", "class1"});
    ASSERT_TRUE(o);
    EXPECT_DOUBLE_EQ(o->faults.lossDb, 20.5);
    EXPECT_DOUBLE_EQ(o->faults.noiseDbm0.value_or(0), -50);
    EXPECT_TRUE(o->class1VoiceDetect);
    EXPECT_TRUE(Parse({"--fault", "loss:40"}));
    EXPECT_TRUE(Parse({"--fault", "loss:0.1"}));
}

TEST(LineOptions, HelpWinsOverOtherwiseBadCombinations) {
    auto o = Parse({"--a", "class1", "--b", "class2", "--help"});
    ASSERT_TRUE(o);
    EXPECT_TRUE(o->help);
}

TEST(LineOptions, HelpNamesEveryOptionAndFault) {
    const std::string help = UsageText();
    for (const char* word : {"--a", "--b", "--link-a", "--link-b", "--answer-rings", "--faxterm-call",
                             "--faxterm-send", "--faxterm-receive", "--faxterm-id", "--fault", "--timeout",
                             "--verbose", "--help", "busy", "no-answer", "no-dialtone", "voice", "no-carrier",
                             "drop-after-page:N", "noise:DB", "loss:DB", "--class1-voice-detect", "slow-ok:MS",
                             "garbage", "READY", "Exit status"}) {
        EXPECT_NE(help.find(word), std::string::npos) << word;
    }
}

}  // namespace
}  // namespace vl::linesim
