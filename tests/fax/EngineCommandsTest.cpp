// The engine's command layer against a scripted modem on a pty: synchronous
// commands, initialisation, class detection and the hang-up sequences.
#include <gtest/gtest.h>

#include <chrono>

#include "EngineHarness.h"
#include "FakeModem.h"
#include "fax/FaxClassList.h"
#include "support/TestSupport.h"

namespace vl::test {
namespace {

using namespace std::chrono_literals;

constexpr const char* kOk = "\r\nOK\r\n";
constexpr const char* kDefaultInit = "ATE0Q0V1X4S0=0S2=43";

class EngineCommands : public ::testing::Test {
protected:
    void Open(FakeModemScript script) {
        modem_ = std::make_unique<FakeModem>(std::move(script));
        harness_ = std::make_unique<EngineHarness>(modem_->SlavePath(), dir_.folder());
        ASSERT_TRUE(harness_->PortOpen()) << harness_->openResult;
        engine_ = &harness_->MakeSender("TEST");
        engine_->Modem().responseTimeout = 9;  // half a second
    }

    static FakeModemScript ClassList(const std::string& list) {
        FakeModemScript script;
        script.replies[kDefaultInit] = kOk;
        script.replies["AT+FCLASS=?"] = "\r\n" + list + "\r\n\r\nOK\r\n";
        return script;
    }

    TempDir dir_;
    std::unique_ptr<FakeModem> modem_;
    std::unique_ptr<EngineHarness> harness_;
    fax::FaxEngine* engine_ = nullptr;
};

TEST_F(EngineCommands, SyncCommandSkipsTheEchoAndKeepsTheInformationLine) {
    FakeModemScript script;  // echoes every command
    script.replies["ATI3"] = "\r\nModel 14400\r\n\r\nOK\r\n";
    script.replies["AT"] = kOk;
    Open(script);
    EXPECT_TRUE(engine_->SyncCommand("AT"));
    EXPECT_EQ(engine_->SyncInfo(), "");
    EXPECT_TRUE(engine_->SyncCommand("ATI3"));
    EXPECT_EQ(engine_->SyncInfo(), "Model 14400");
}

TEST_F(EngineCommands, SyncCommandFailsOnErrorAndOnSilence) {
    FakeModemScript script;
    script.echo = false;
    script.replies["AT+FAIL"] = "\r\nERROR\r\n";
    script.replies["AT+QUIET"] = "";
    Open(script);
    EXPECT_FALSE(engine_->SyncCommand("AT+FAIL"));
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(engine_->SyncCommand("AT+QUIET"));
    EXPECT_GE(std::chrono::steady_clock::now() - start, 400ms);
}

TEST_F(EngineCommands, ModemInitIsSentBeforeTheDefaultStringOncePerSession) {
    FakeModemScript script;
    script.replies["ATE0V1"] = kOk;
    script.replies[kDefaultInit] = kOk;
    Open(script);
    engine_->SetModemInit("e0v1");
    EXPECT_TRUE(engine_->InitModem());
    EXPECT_TRUE(engine_->InitModem());
    EXPECT_EQ(modem_->Commands(), (std::vector<std::string>{"ATE0V1", kDefaultInit}));
}

TEST_F(EngineCommands, ModemInitThatFailsStopsTheInitialisation) {
    FakeModemScript script;
    script.replies["ATZ9"] = "\r\nERROR\r\n";
    script.replies[kDefaultInit] = kOk;
    Open(script);
    engine_->SetModemInit("ATZ9");
    EXPECT_FALSE(engine_->InitModem());
    EXPECT_EQ(modem_->Commands(), (std::vector<std::string>{"ATZ9"}));
    EXPECT_FALSE(engine_->Modem().initialised);
}

TEST_F(EngineCommands, BusyAndBlindDialRewriteTheDefaultString) {
    Open(FakeModemScript{});
    engine_->SetBlindDial(true);
    EXPECT_EQ(engine_->Modem().defaultInit, "ATE0Q0V1X3S0=0S2=43");
    engine_->SetDetectBusy(false);
    EXPECT_EQ(engine_->Modem().defaultInit, "ATE0Q0V1X1S0=0S2=43");
}

struct ClassCase {
    const char* list;
    int faxClass;
};

class EngineClassDetection : public EngineCommands, public ::testing::WithParamInterface<ClassCase> {};

TEST_P(EngineClassDetection, PicksTheHighestClassTheModemLists) {
    Open(ClassList(GetParam().list));
    engine_->Session().faxClass = fax::kClassUnknown;
    EXPECT_EQ(engine_->DetectFaxClass(), GetParam().faxClass != fax::kClassUnknown);
    EXPECT_EQ(engine_->Session().faxClass, GetParam().faxClass);
}

INSTANTIATE_TEST_SUITE_P(Lists, EngineClassDetection,
                         ::testing::Values(ClassCase{"0,1,2,2.0", fax::kClass2_0}, ClassCase{"0,1", fax::kClass1},
                                           ClassCase{"+FCLASS: 0,2", fax::kClass2},
                                           ClassCase{"0", fax::kClassUnknown}));

TEST_F(EngineCommands, DetectionFailsWhenTheResetIsNotAnswered) {
    FakeModemScript script = ClassList("0,1");
    script.replies[kDefaultInit] = "\r\nERROR\r\n";
    Open(script);
    EXPECT_FALSE(engine_->DetectFaxClass());
    EXPECT_EQ(modem_->Commands(), (std::vector<std::string>{kDefaultInit, kDefaultInit}));
}

TEST_F(EngineCommands, LocalSpeedsComeFromTheModulationList) {
    FakeModemScript script;
    script.replies["AT+FCLASS=1"] = kOk;
    script.replies["AT+FTM=?"] = "\r\n24,48,72,96\r\n\r\nOK\r\n";
    Open(script);
    EXPECT_TRUE(engine_->DetermineLocalSpeeds());
    EXPECT_EQ(engine_->Modem().speedIndex, 4);
    EXPECT_FALSE(engine_->Modem().localSpeeds.Has(5));
}

TEST_F(EngineCommands, ReceiverHangUpDropsDtrThenEscapesAndHangsUp) {
    FakeModemScript script;
    script.echo = false;
    script.replies["ATH"] = kOk;
    Open(script);
    const auto start = std::chrono::steady_clock::now();
    engine_->HangUpReceiver();
    EXPECT_GE(std::chrono::steady_clock::now() - start, 3000ms);  // DTR 1 s, guard times 3 s
    EXPECT_TRUE(modem_->WaitForCommands(1, 2s));
    EXPECT_EQ(modem_->Received(), "+++ATH\r");
}

// A pty has no modem lines; the port reports carrier on, as a modem that
// keeps DCD up does, so the sender escapes to command mode first.
TEST_F(EngineCommands, SenderHangUpEscapesWhileCarrierIsReported) {
    FakeModemScript script;
    script.echo = false;
    script.replies["ATH0"] = kOk;
    Open(script);
    const auto start = std::chrono::steady_clock::now();
    engine_->HangUpSender();
    EXPECT_GE(std::chrono::steady_clock::now() - start, 3000ms);
    EXPECT_TRUE(modem_->WaitForCommands(1, 2s));
    EXPECT_EQ(modem_->Received(), "+++ATH0\r");
}

}  // namespace
}  // namespace vl::test
