// The send machine against a scripted modem: how a fax ends before any page
// moves (busy lines, voice, a class not driven, a missing file, an abort).
// Whole calls are in the line tests.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>

#include "ApfTestFiles.h"
#include "EngineHarness.h"
#include "FakeModem.h"
#include "Waiting.h"
#include "base/ErrorCodes.h"
#include "support/TestSupport.h"

namespace vl::test {
namespace {

using namespace std::chrono_literals;

constexpr const char* kOk = "\r\nOK\r\n";

class SendMachineCalls : public ::testing::Test {
protected:
    // A Class 1 modem whose dial command gets `dialReply`.
    static FakeModemScript Class1Modem(const std::string& dialReply, const std::string& classes = "0,1") {
        FakeModemScript script;
        script.echo = false;
        script.responder = [dialReply, classes](const std::string& command) -> std::string {
            if (command.rfind("ATD", 0) == 0)
                return dialReply;
            if (command == "AT+FCLASS=?")
                return "\r\n" + classes + "\r\n\r\nOK\r\n";
            if (command == "AT+FTM=?")
                return "\r\n24,48,72,96\r\n\r\nOK\r\n";
            return kOk;
        };
        return script;
    }

    void Open(FakeModemScript script) {
        modem_ = std::make_unique<FakeModem>(std::move(script));
        harness_ = std::make_unique<EngineHarness>(modem_->SlavePath(), dir_.folder());
        ASSERT_TRUE(harness_->PortOpen()) << harness_->openResult;
        engine_ = &harness_->MakeSender("TEST");
        apf_ = (dir_.path() / "one.apf").string();
        fax::test::WriteApf(apf_, {fax::test::TestPage{0, {0x00, 0x80, 0xB2, 0x59, 0x01, 0x00}}});
    }

    int Dials() const {
        const auto commands = modem_->Commands();
        return static_cast<int>(std::count_if(commands.begin(), commands.end(),
                                              [](const std::string& c) { return c.rfind("ATDT", 0) == 0; }));
    }

    std::optional<int> Run(std::chrono::milliseconds limit = 20s) {
        engine_->Start();
        return harness_->RunToFinish(limit);
    }

    TempDir dir_;
    std::unique_ptr<FakeModem> modem_;
    std::unique_ptr<EngineHarness> harness_;
    fax::FaxEngine* engine_ = nullptr;
    std::string apf_;
};

struct UnreachedLine {
    const char* reply;
    int error;
};

class SendMachineRedials : public SendMachineCalls, public ::testing::WithParamInterface<UnreachedLine> {};

// Both are worth another attempt; once the attempts are used up, the fax
// fails with its own reason.
TEST_P(SendMachineRedials, AfterTheWaitThenTheNextFaxIsAskedFor) {
    Open(Class1Modem(GetParam().reply));
    engine_->Session().maxDialAttempts = 2;
    engine_->Session().dialRetryWaitTicks = base::SecsToTicks(1);
    harness_->Queue({"555", apf_, ""});
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(Run(), GetParam().error);
    EXPECT_GE(std::chrono::steady_clock::now() - start, 1s);
    EXPECT_EQ(Dials(), 2);
    EXPECT_EQ(harness_->logs, (std::vector<int>{fax::kLogTransmitStarted, fax::kLogTransmitFailed}));
    EXPECT_GE(std::count(harness_->progress.begin(), harness_->progress.end(), base::fpBusyWait), 1);
}

INSTANTIATE_TEST_SUITE_P(Replies, SendMachineRedials,
                         ::testing::Values(UnreachedLine{"\r\nBUSY\r\n", base::ecFaxBusy},
                                           UnreachedLine{"\r\nNO ANSWER\r\n", base::ecFaxNoAnswer}));

TEST_F(SendMachineCalls, BusyLineWithAbortNoConnectEndsTheSession) {
    Open(Class1Modem("\r\nBUSY\r\n"));
    engine_->Session().maxDialAttempts = 1;
    engine_->Session().flags = fax::kFlagAbortNoConnect;
    harness_->Queue({"555", apf_, ""});
    harness_->Queue({"556", apf_, ""});
    EXPECT_EQ(Run(), base::ecFaxBusy);
    EXPECT_EQ(Dials(), 1);
    EXPECT_EQ(harness_->faxes.size(), 1u);  // the second fax was never asked for
    EXPECT_EQ(harness_->progress.back(), base::fpUserAbort);
}

// A line the dialling state has no use for is noted in the dispatch log with
// the state's name; the call goes on to the answer that ends it.
TEST_F(SendMachineCalls, UnexpectedLineIsLoggedAndTheDialGoesOn) {
    Open(Class1Modem("\r\nRINGING\r\n\r\nBUSY\r\n"));
    ASSERT_EQ(harness_->port->StartDispatchLog(100000), 0);
    harness_->Queue({"555", apf_, ""});
    EXPECT_EQ(Run(), base::ecFaxBusy);
    EXPECT_EQ(Dials(), 1);
    const auto log = dir_.path() / "dispatch.txt";
    ASSERT_EQ(harness_->port->WriteDispatchLog(log.string(), false, false, false), 0);
    // Long data wraps onto lines indented to its column; joined again here.
    std::string text = ReadFile(log);
    const std::string wrap = "\n" + std::string(44, ' ');
    for (auto at = text.find(wrap); at != std::string::npos; at = text.find(wrap, at))
        text.erase(at, wrap.size());
    EXPECT_NE(text.find("unexpected RINGING in state tf1Connect"), std::string::npos) << text;
    // The busy report is what the state waits for: it is no unexpected line.
    EXPECT_EQ(text.find("unexpected BUSY"), std::string::npos) << text;
}

struct DialFailure {
    const char* reply;
    int error;
};

class SendMachineDialFailures : public SendMachineCalls, public ::testing::WithParamInterface<DialFailure> {};

TEST_P(SendMachineDialFailures, EndTheFaxWithTheirError) {
    Open(Class1Modem(GetParam().reply));
    engine_->Session().flags = fax::kFlagExitOnError;
    harness_->Queue({"555", apf_, ""});
    EXPECT_EQ(Run(), GetParam().error);
    EXPECT_EQ(harness_->errors, (std::vector<int>{GetParam().error}));
    EXPECT_EQ(harness_->logs, (std::vector<int>{fax::kLogTransmitStarted, fax::kLogTransmitFailed}));
}

INSTANTIATE_TEST_SUITE_P(Replies, SendMachineDialFailures,
                         ::testing::Values(DialFailure{"\r\nVOICE\r\n", base::ecFaxVoiceCall},
                                           DialFailure{"\r\nNO DIALTONE\r\n", base::ecFaxNoDialTone},
                                           DialFailure{"\r\nNO CARRIER\r\n", base::ecFaxNoCarrier},
                                           DialFailure{"\r\nERROR\r\n", base::ecFaxBadModemResult}));

struct DetectedClass {
    const char* classes;                 // the modem's answer to AT+FCLASS=?
    std::vector<std::string> setUp;      // what the machine sends before dialling
};

class SendMachineClassSetUp : public SendMachineCalls, public ::testing::WithParamInterface<DetectedClass> {};

// Detection takes the best class the modem offers, and the fax is set up in
// that class's own words before the number is dialled; with error correction
// the best coding offered is MMR.
TEST_P(SendMachineClassSetUp, UsesTheDetectedClasssCommands) {
    Open(Class1Modem("\r\nBUSY\r\n", GetParam().classes));
    engine_->Modem().desiredBps = 14400;
    engine_->Modem().desiredEcm = '1';
    harness_->Queue({"555", apf_, ""});
    EXPECT_EQ(Run(), base::ecFaxBusy);
    const auto commands = modem_->Commands();
    const auto dial = std::find(commands.begin(), commands.end(), "ATDT555");
    ASSERT_NE(dial, commands.end()) << ::testing::PrintToString(commands);
    const auto setUp = std::vector<std::string>(dial - static_cast<long>(GetParam().setUp.size()), dial);
    EXPECT_EQ(setUp, GetParam().setUp);
}

INSTANTIATE_TEST_SUITE_P(
    Classes, SendMachineClassSetUp,
    ::testing::Values(DetectedClass{"0,1,2,2.0",
                                    {"AT+FCLASS=2.0", "AT+FLI=\"TEST\"", "AT+FLO=2", "AT+FNR=1,1,1,0",
                                     "AT+FIS=0,5,0,2,3,1,0,0"}},
                      DetectedClass{"0,1,2", {"AT+FCLASS=2", "AT+FLID=\"TEST\"", "AT+FDIS=0,5,0,2,3,1,0,0"}},
                      DetectedClass{"0,1", {"AT+FCLASS=1"}}));

// A Class 2 modem that settles on uncompressed data, which we cannot make:
// the fax fails as incompatible and no page data goes to the modem.
TEST_F(SendMachineCalls, AClass2SessionInUncompressedDataEndsBeforeThePage) {
    FakeModemScript script;
    script.echo = false;
    script.responder = [](const std::string& command) -> std::string {
        if (command == "AT+FCLASS=?")
            return "\r\n0,2\r\n\r\nOK\r\n";
        if (command.rfind("ATD", 0) == 0)
            return "\r\n+FCON\r\n\r\n+FDIS:0,5,0,2,3,1,0,0\r\n\r\nOK\r\n";
        if (command == "AT+FDT")
            return "\r\n+FDCS:0,5,0,2,2,1,0,0\r\n\r\nCONNECT\r\n";
        return kOk;
    };
    Open(std::move(script));
    engine_->Modem().desiredEcm = '1';
    harness_->Queue({"555", apf_, ""});
    EXPECT_EQ(Run(), base::ecFaxBadMachine);
    EXPECT_EQ(harness_->logs, (std::vector<int>{fax::kLogTransmitStarted, fax::kLogTransmitFailed}));
    EXPECT_EQ(modem_->Received().find("\x10\x03"), std::string::npos) << "page data was sent";
}

TEST_F(SendMachineCalls, MissingFaxFileFailsThatFax) {
    Open(Class1Modem("\r\nBUSY\r\n"));
    harness_->Queue({"555", (dir_.path() / "absent.apf").string(), ""});
    EXPECT_EQ(Run(), base::ecFileNotFound);
    EXPECT_EQ(Dials(), 0);
    EXPECT_EQ(harness_->logs, (std::vector<int>{fax::kLogTransmitStarted, fax::kLogTransmitFailed}));
}

TEST_F(SendMachineCalls, UserAbortWhileDiallingHangsUpAndFinishes) {
    Open(Class1Modem(""));  // the call never connects
    harness_->Queue({"555", apf_, ""});
    engine_->Start();
    ASSERT_TRUE(PumpUntil(harness_->loop, [&] { return Dials() == 1; }, 5s));
    engine_->Abort();
    EXPECT_EQ(harness_->RunToFinish(15s), base::ecCancelRequested);
    EXPECT_TRUE(harness_->errors.empty());  // a user abort is no error message
    EXPECT_EQ(harness_->progress.back(), base::fpUserAbort);
    EXPECT_EQ(harness_->logs.back(), fax::kLogTransmitFailed);
}

}  // namespace
}  // namespace vl::test
