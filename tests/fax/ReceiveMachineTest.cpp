// The receive machine through whole Class 1 calls with a scripted modem: what
// it sends, what ends up in the receive file, what it reports.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "ScriptedClass1Modem.h"
#include "Waiting.h"
#include "base/ErrorCodes.h"
#include "base/MessageWindow.h"
#include "fax/Class1Frames.h"
#include "fax/Class1Negotiation.h"
#include "fax/FaxEngine.h"
#include "faxdoc/ApfReader.h"
#include "serial/VlLinuxDispatcher.h"
#include "support/TestSupport.h"

namespace vl::fax::test {
namespace {

using namespace std::chrono_literals;
using Bytes = std::vector<std::uint8_t>;
using vl::test::PumpUntil;

constexpr int kPrepareClassCommands = 2;  // "AT+FCLASS=1" before the first pass

// Page data with DLE in it, one DLE followed by ETX.
Bytes PageBytes(std::uint8_t seed) {
    return {0x00, 0x10, 0x80, 0xB2, 0x59, 0x01, 0x10, 0x03, seed, 0x10, 0x10, 0x00, 0xFF};
}

Bytes Training(std::size_t length, std::size_t nonZero) {
    Bytes tcf(length, 0x00);
    for (std::size_t i = 0; i < nonZero; ++i)
        tcf[i * (length / nonZero)] = 0x5A;
    return tcf;
}

// A calling station: its ID, the speed and resolution of its DCS, its pages.
struct Caller {
    std::string id = "REMOTE 42";
    int speedIndex = 4;
    bool fine = false;
    std::vector<Bytes> pages = {PageBytes(1)};
};

std::string Repeat(const std::string& text, int count) {
    std::string out;
    for (int i = 0; i < count; ++i)
        out += text;
    return out;
}

class ReceiveMachineTest : public ::testing::Test {
protected:
    void SetUp() override {
        port = serial::MakeLinuxDispatcher(loop, locks.folder());
        ASSERT_EQ(port->OpenDevicePort(modem.SlavePath(), 19200, 0, 8, 1, 8192, 8192,
                                       serial::kOpenDtrOn | serial::kOpenRtsOn),
                  0);
        window = std::make_unique<base::MessageWindow>(loop, [this](const base::WindowMessage& m) {
            return OnMessage(m);
        });
        engine = CreateReceiver("Vellora Rx", *port, window.get());
        engine->Session().faxClass = kClass1;
        engine->Session().destinationDir = dir.folder();
        engine->Session().flags = kFlagExitOnError;
        engine->Receiver().oneFax = true;
        engine->Modem().desiredBps = 14400;
        modem.Script("AT+FRM=?", {"\r\n24,48,72,73,74,96,97,98,121,122,145,146\r\n\r\nOK\r\n"});
        ringAt(1);
    }

    void TearDown() override {
        if (engine && engine->Running()) {
            engine->Abort();
            PumpUntil(loop, [&] { return finished; }, 15s);
        }
        engine.reset();
        port->CloseDevicePort();
    }

    // The modem reports `rings` rings once the machine waits for a call.
    void ringAt(int rings) {
        std::vector<std::string> replies(kPrepareClassCommands, "\r\nOK\r\n");
        replies.push_back("\r\nOK\r\n" + Repeat(std::string(kPause) + "\r\nRING\r\n", rings));
        modem.Script("AT+FCLASS=1", replies);
    }

    // Scripts the caller's side of a whole call: answer, TSI and DCS,
    // training, the pages with MPS between them and EOP after the last, DCN.
    void ScriptCall(const Caller& caller, std::vector<Bytes> trainings = {Training(1000, 0)}) {
        modem.Script("ATA", {"\r\nCONNECT\r\n"});
        modem.Script("FRAME 40", {"\r\nCONNECT\r\n"});
        const Class1Info dcs = DcsInfo(caller.speedIndex, caller.fine, false, 0);
        std::vector<std::string> frames;
        for (std::size_t i = 0; i < trainings.size(); ++i) {
            frames.push_back(FrameReply(fcf::kTsi, StationIdInfo(caller.id), false));
            frames.push_back(FrameReply(fcf::kDcs, Bytes(dcs.begin(), dcs.end())));
        }
        for (std::size_t i = 0; i + 1 < caller.pages.size(); ++i)
            frames.push_back(FrameReply(fcf::kMps));
        frames.push_back(FrameReply(fcf::kEop));
        frames.push_back(FrameReply(fcf::kDcn));
        modem.Script("AT+FRH=3", frames);
        const SpeedInfo& speed = SpeedAt(caller.speedIndex);
        std::vector<std::string> train;
        for (const Bytes& tcf : trainings)
            train.push_back(DataReply(tcf));
        std::vector<std::string> pages;
        for (const Bytes& page : caller.pages)
            pages.push_back(DataReply(page));
        const std::string trainCommand = "AT+FRM=" + std::string(speed.modulation.longTraining);
        const std::string pageCommand = "AT+FRM=" + std::string(speed.modulation.shortTraining);
        if (trainCommand == pageCommand) {
            // One modulation for both: training, then pages, in the order asked.
            train.insert(train.end(), pages.begin(), pages.end());
            modem.Script(trainCommand, train);
        } else {
            modem.Script(trainCommand, train);
            modem.Script(pageCommand, pages);
        }
        modem.Script("AT+FTH=3", {"\r\nCONNECT\r\n"});
    }

    int Run() {
        const int started = engine->Start();
        if (started != 0)
            return started;
        EXPECT_TRUE(PumpUntil(loop, [&] { return finished; }, 40s)) << Transcript();
        return finishCode;
    }

    std::intptr_t OnMessage(const base::WindowMessage& m) {
        switch (m.msg) {
        case kMsgLog:
            logs.push_back(static_cast<int>(m.wParam));
            break;
        case kMsgError:
            errors.push_back(static_cast<int>(static_cast<std::intptr_t>(m.wParam)));
            break;
        case kMsgFinish:
            finished = true;
            finishCode = static_cast<int>(static_cast<std::intptr_t>(m.wParam));
            break;
        case kMsgAccept:
            ++acceptAsked;
            if (!answers.empty()) {
                const std::intptr_t answer = answers.front();
                answers.erase(answers.begin());
                return answer;
            }
            return accept;
        default:
            break;
        }
        return 0;
    }

    std::string Transcript() const {
        std::string all;
        for (const std::string& text : modem.Texts())
            all += text + " | ";
        return all;
    }
    int Count(const std::string& text) const {
        const auto texts = modem.Texts();
        return static_cast<int>(std::count(texts.begin(), texts.end(), text));
    }
    std::vector<std::string> FramesSent() const {
        std::vector<std::string> frames;
        for (const std::string& text : modem.Texts())
            if (text.rfind("FRAME", 0) == 0)
                frames.push_back(text);
        return frames;
    }
    std::vector<std::string> FilesInDir() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
            names.push_back(entry.path().filename().string());
        return names;
    }

    vl::test::TempDir dir;
    vl::test::TempDir locks;
    ScriptedClass1Modem modem;
    base::MessageLoop loop;
    std::unique_ptr<serial::VlBaseDispatcher> port;
    std::unique_ptr<base::MessageWindow> window;
    std::unique_ptr<FaxEngine> engine;

    std::intptr_t accept = 1;
    std::vector<std::intptr_t> answers;  // taken first, one per call
    int acceptAsked = 0;
    std::vector<int> logs;
    std::vector<int> errors;
    bool finished = false;
    int finishCode = 1;
};

TEST_F(ReceiveMachineTest, OnePageCallIsStoredUnderTheCounterName) {
    ScriptCall(Caller{});
    EXPECT_EQ(Run(), 0) << Transcript();

    EXPECT_EQ(FilesInDir(), std::vector<std::string>{"FAX0001.APF"});
    faxdoc::ApfReader reader;
    ASSERT_EQ(reader.Open(dir.folder() + "FAX0001.APF"), 0);
    EXPECT_EQ(reader.Header().pageCount, 1);
    EXPECT_NE(reader.Header().stationId.find("REMOTE 42"), std::string::npos) << reader.Header().stationId;
    faxdoc::ApfPage page;
    ASSERT_EQ(reader.ReadPage(1, page), 0);
    EXPECT_EQ(page.imageData, PageBytes(1));
    EXPECT_FALSE(page.header.HighResolution());

    EXPECT_EQ(FramesSent(), (std::vector<std::string>{"FRAME 40", "FRAME 80", "FRAME 84", "FRAME 8C"}));
    const auto inputs = modem.Inputs();
    const auto csi = std::find_if(inputs.begin(), inputs.end(), [](const ModemInput& in) {
        return in.text == "FRAME 40";
    });
    ASSERT_NE(csi, inputs.end());
    ASSERT_TRUE(ParseFrame(csi->frame));
    EXPECT_EQ(RemoteIdFromFrame(*ParseFrame(csi->frame)), "VELLORA RX");
    EXPECT_EQ(Count("AT+FRM=96"), 2);  // training, page
    EXPECT_EQ(Count("ATH"), 1);
    EXPECT_EQ(logs, (std::vector<int>{kLogReceiveStarted, kLogReceiveOk}));
    EXPECT_EQ(acceptAsked, 1);
    EXPECT_EQ(engine->RemoteId(), "REMOTE 42");
}

TEST_F(ReceiveMachineTest, FinePagesAtV17TrainLongAndTakePagesShort) {
    Caller caller;
    caller.speedIndex = 6;
    caller.fine = true;
    caller.pages = {PageBytes(1), PageBytes(2), PageBytes(3)};
    ScriptCall(caller);
    // The modem still hears the DCS's flags the first time it is asked.
    modem.Script("AT+FRM=145", {"\r\n+FCERROR\r\n", DataReply(Training(1000, 0))});
    EXPECT_EQ(Run(), 0) << Transcript();

    faxdoc::ApfReader reader;
    ASSERT_EQ(reader.Open(dir.folder() + "FAX0001.APF"), 0);
    ASSERT_EQ(reader.Header().pageCount, 3);
    for (unsigned n = 1; n <= 3; ++n) {
        faxdoc::ApfPage page;
        ASSERT_EQ(reader.ReadPage(n, page), 0);
        EXPECT_EQ(page.imageData, PageBytes(static_cast<std::uint8_t>(n)));
        EXPECT_TRUE(page.header.HighResolution());
    }
    EXPECT_EQ(Count("AT+FRM=145"), 2);
    EXPECT_EQ(Count("AT+FRM=146"), 3);
    EXPECT_EQ(Count("FRAME 8C"), 3);
}

TEST_F(ReceiveMachineTest, EndOfMessageRenegotiatesAndTheNextPageTakesTheNewResolution) {
    ScriptCall(Caller{});
    const Class1Info normal = DcsInfo(4, false, false, 0);
    const Class1Info fine = DcsInfo(4, true, false, 0);
    const std::string tsi = FrameReply(fcf::kTsi, StationIdInfo("REMOTE 42"), false);
    modem.Script("AT+FRH=3", {tsi, FrameReply(fcf::kDcs, Bytes(normal.begin(), normal.end())), FrameReply(fcf::kEom),
                              tsi, FrameReply(fcf::kDcs, Bytes(fine.begin(), fine.end())), FrameReply(fcf::kEop),
                              FrameReply(fcf::kDcn)});
    modem.Script("AT+FRM=96", {DataReply(Training(1000, 0)), DataReply(PageBytes(1)), DataReply(Training(1000, 0)),
                               DataReply(PageBytes(2))});
    // After EOM our MCF is not final: CSI and DIS follow it.
    modem.Script("FRAME 8C", {"\r\nCONNECT\r\n", "\r\nOK\r\n"});
    EXPECT_EQ(Run(), 0) << Transcript();
    EXPECT_EQ(FramesSent(), (std::vector<std::string>{"FRAME 40", "FRAME 80", "FRAME 84", "FRAME 8C", "FRAME 40",
                                                      "FRAME 80", "FRAME 84", "FRAME 8C"}));
    const auto inputs = modem.Inputs();
    const auto mcf = std::find_if(inputs.begin(), inputs.end(), [](const ModemInput& in) {
        return in.text == "FRAME 8C";
    });
    ASSERT_NE(mcf, inputs.end());
    EXPECT_FALSE(ParseFrame(mcf->frame)->final);
    faxdoc::ApfReader reader;
    ASSERT_EQ(reader.Open(dir.folder() + "FAX0001.APF"), 0);
    ASSERT_EQ(reader.Header().pageCount, 2);
    faxdoc::ApfPage page;
    ASSERT_EQ(reader.ReadPage(1, page), 0);
    EXPECT_FALSE(page.header.HighResolution());
    ASSERT_EQ(reader.ReadPage(2, page), 0);
    EXPECT_TRUE(page.header.HighResolution());
    EXPECT_EQ(page.imageData, PageBytes(2));
}

TEST_F(ReceiveMachineTest, NoisyTrainingIsAnsweredWithFttAndTheRepeatIsAccepted) {
    // 10 % non-zero fails, 5 % passes.
    ScriptCall(Caller{}, {Training(1000, 100), Training(1000, 50)});
    EXPECT_EQ(Run(), 0) << Transcript();
    EXPECT_EQ(FramesSent(), (std::vector<std::string>{"FRAME 40", "FRAME 80", "FRAME 44", "FRAME 84", "FRAME 8C"}));
    EXPECT_EQ(FilesInDir(), std::vector<std::string>{"FAX0001.APF"});
}

TEST_F(ReceiveMachineTest, DisconnectBeforeThePageEndsLeavesNoFile) {
    ScriptCall(Caller{});
    modem.Script("AT+FRH=3", {FrameReply(fcf::kTsi, StationIdInfo("REMOTE 42"), false),
                              FrameReply(fcf::kDcs, [] {
                                  const Class1Info dcs = DcsInfo(4, false, false, 0);
                                  return Bytes(dcs.begin(), dcs.end());
                              }()),
                              FrameReply(fcf::kDcn)});
    EXPECT_EQ(Run(), base::ecCancelRequested) << Transcript();
    EXPECT_TRUE(FilesInDir().empty());
    EXPECT_EQ(logs, (std::vector<int>{kLogReceiveStarted, kLogReceiveFailed}));
    EXPECT_EQ(errors, std::vector<int>{base::ecCancelRequested});
}

TEST_F(ReceiveMachineTest, CallBrokenAfterAWholePageKeepsThatPage) {
    Caller caller;
    caller.pages = {PageBytes(1), PageBytes(2)};
    ScriptCall(caller);
    const Class1Info dcs = DcsInfo(4, false, false, 0);
    modem.Script("AT+FRH=3", {FrameReply(fcf::kTsi, StationIdInfo("REMOTE 42"), false),
                              FrameReply(fcf::kDcs, Bytes(dcs.begin(), dcs.end())), FrameReply(fcf::kMps),
                              FrameReply(fcf::kDcn)});
    EXPECT_EQ(Run(), base::ecCancelRequested) << Transcript();
    faxdoc::ApfReader reader;
    ASSERT_EQ(reader.Open(dir.folder() + "FAX0001.APF"), 0);
    EXPECT_EQ(reader.Header().pageCount, 1);
    faxdoc::ApfPage page;
    ASSERT_EQ(reader.ReadPage(1, page), 0);
    EXPECT_EQ(page.imageData, PageBytes(1));
    EXPECT_EQ(logs, (std::vector<int>{kLogReceiveStarted, kLogReceiveFailed}));
}

TEST_F(ReceiveMachineTest, ThreeUnansweredFrameCollectionsEndTheCall) {
    ScriptCall(Caller{});
    modem.Script("AT+FRH=3", {"\r\nNO CARRIER\r\n"});
    EXPECT_EQ(Run(), base::ecFatalTimeout) << Transcript();
    // The first offer and three more, each listened after four times.
    EXPECT_EQ(Count("FRAME 80"), 4) << Transcript();
    EXPECT_EQ(Count("AT+FRH=3"), 16) << Transcript();
    EXPECT_EQ(Count("AT+FRM=96"), 0);
    EXPECT_TRUE(FilesInDir().empty());
    EXPECT_TRUE(logs.empty());
}

TEST_F(ReceiveMachineTest, SilentCallerTimesOutAfterTheRetries) {
    ScriptCall(Caller{});
    modem.Script("AT+FRH=3", {""});
    EXPECT_EQ(Run(), base::ecFatalTimeout) << Transcript();
    EXPECT_EQ(Count("FRAME 80"), 4) << Transcript();
}

TEST_F(ReceiveMachineTest, RefusedCallIsSkippedWithoutAFile) {
    accept = 0;
    ScriptCall(Caller{});
    EXPECT_EQ(Run(), base::ecFileRejected) << Transcript();
    EXPECT_TRUE(FilesInDir().empty());
    EXPECT_EQ(logs, std::vector<int>{kLogReceiveSkipped});
}

// A refused call is skipped, not an error of the session: when the next call
// brings a fax, the session finishes as a good one, also when that caller
// hangs up after the last page without a DCN.
TEST_F(ReceiveMachineTest, RefusedCallLeavesNoErrorForTheNextCall) {
    engine->Session().flags = 0;
    answers = {0, 1};
    ScriptCall(Caller{});
    const Class1Info dcs = DcsInfo(4, false, false, 0);
    const std::string tsi = FrameReply(fcf::kTsi, StationIdInfo("REMOTE 42"), false);
    const std::string dcsReply = FrameReply(fcf::kDcs, Bytes(dcs.begin(), dcs.end()));
    modem.Script("AT+FRH=3", {tsi, dcsReply, tsi, dcsReply, FrameReply(fcf::kEop), "\r\nNO CARRIER\r\n"});
    // The refused call asks for its page before it is refused.
    modem.Script("AT+FRM=96", {DataReply(Training(1000, 0)), DataReply(PageBytes(9)), DataReply(Training(1000, 0)),
                               DataReply(PageBytes(1))});
    EXPECT_EQ(Run(), 0) << Transcript();
    EXPECT_EQ(acceptAsked, 2);
    EXPECT_EQ(errors, std::vector<int>{base::ecFileRejected});
    EXPECT_EQ(logs, (std::vector<int>{kLogReceiveSkipped, kLogReceiveStarted, kLogReceiveOk}));
    EXPECT_EQ(FilesInDir(), std::vector<std::string>{"FAX0001.APF"});
}

TEST_F(ReceiveMachineTest, AnswersOnlyOnTheRingAskedFor) {
    engine->Modem().answerOnRing = 2;
    ScriptCall(Caller{});
    ASSERT_EQ(engine->Start(), 0);
    ASSERT_TRUE(modem.WaitFor("AT+FCLASS=1", kPrepareClassCommands + 1, 5s));
    PumpUntil(loop, [] { return false; }, 1500ms);
    EXPECT_EQ(Count("ATA"), 0) << Transcript();
    modem.Send("\r\nRING\r\n");
    EXPECT_TRUE(PumpUntil(loop, [&] { return finished; }, 40s)) << Transcript();
    EXPECT_EQ(finishCode, 0);
    EXPECT_EQ(Count("ATA"), 1);
}

TEST_F(ReceiveMachineTest, UserAbortWhileWaitingFinishesWithCancel) {
    engine->Session().flags = 0;
    engine->Modem().answerOnRing = 5;
    ASSERT_EQ(engine->Start(), 0);
    ASSERT_TRUE(modem.WaitFor("AT+FCLASS=1", kPrepareClassCommands + 1, 5s));
    PumpUntil(loop, [] { return false; }, 500ms);
    engine->Abort();
    EXPECT_TRUE(PumpUntil(loop, [&] { return finished; }, 15s));
    EXPECT_EQ(finishCode, base::ecCancelRequested);
    EXPECT_EQ(Count("ATA"), 0);
    EXPECT_TRUE(logs.empty());
}

// Detection takes the best class the modem offers; the modem is set up in
// that class's own words and the machine waits for a call without answering.
// Without error correction the best coding offered is MR.
TEST_F(ReceiveMachineTest, Class2ModemsAreSetUpInTheirOwnWords) {
    const struct {
        const char* classes;
        std::vector<std::string> setUp;
    } cases[] = {
        {"\r\n0,2\r\n\r\nOK\r\n",
         {"AT+FCLASS=2", "AT+FCR=1", "AT+FLID=\"VELLORA RX\"", "AT+FAA=0", "AT+FCLASS=2", "AT+FDCC=1,5,0,2,1,0,0,0"}},
        {"\r\n0,1,2,2.0\r\n\r\nOK\r\n",
         {"AT+FCLASS=2.0", "AT+FCR=1", "AT+FLI=\"VELLORA RX\"", "AT+FAA=0", "AT+FCLASS=2.0", "AT+FCC=1,5,0,2,1,0,0,0",
          "AT+FLO=2", "AT+FNR=1,1,1,0"}},
    };
    for (const auto& c : cases) {
        finished = false;
        engine->Session().faxClass = kClassDetect;
        modem.Script("AT+FCLASS=?", {c.classes});
        const std::size_t before = modem.Texts().size();
        ASSERT_EQ(engine->Start(), 0) << c.classes;
        EXPECT_TRUE(PumpUntil(loop, [&] {
            const auto texts = modem.Texts();
            return texts.size() >= before + c.setUp.size() && texts.back() == c.setUp.back();
        }, 10s));
        PumpUntil(loop, [] { return false; }, 300ms);
        const auto texts = modem.Texts();
        const std::vector<std::string> sent(texts.end() - static_cast<long>(c.setUp.size()), texts.end());
        EXPECT_EQ(sent, c.setUp) << Transcript();
        engine->Abort();
        EXPECT_TRUE(PumpUntil(loop, [&] { return finished; }, 15s));
        EXPECT_EQ(finishCode, base::ecCancelRequested);
    }
    EXPECT_EQ(Count("ATA"), 0);
}

}  // namespace
}  // namespace vl::fax::test
