// The engine's receive machine takes real calls through a Class 1 modem on
// the simulated line: a fax machine calls and sends a TIFF, and the pages
// stored in the APF file must decode to the TIFF's pixels.
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "ApfPages.h"
#include "EngineHarness.h"
#include "LineFixture.h"
#include "ModemClasses.h"
#include "base/ErrorCodes.h"
#include "fax/FaxEngine.h"
#include "faxdoc/ApfReader.h"

namespace vl::test {
namespace {

constexpr const char* kMachineId = "+1 555 0199";
constexpr const char* kOurId = "VELLORA RX";

// A multi-page G3 TIFF at fax resolution, normal (98 lines per inch) or fine.
void WriteFaxTiffPages(const std::vector<Bitmap>& pages, bool fine, const std::filesystem::path& tiff) {
    const std::string resolution = fine ? "204x196" : "204x98";
    std::vector<std::string> parts;
    for (std::size_t i = 0; i < pages.size(); ++i) {
        const std::string pbm = tiff.string() + "." + std::to_string(i) + ".pbm";
        WriteFile(pbm, PbmFile(pages[i]));
        const RunResult r =
            Run("/usr/bin/efix", {"-i", "pbm", "-o", "tiffg3", "-R", resolution, "-r", resolution, pbm});
        ASSERT_EQ(r.status, 0) << r.err;
        parts.push_back(pbm + ".tif");
        WriteFile(parts.back(), r.out);
    }
    parts.push_back(tiff.string());
    const RunResult joined = Run("/usr/bin/tiffcp", parts);
    ASSERT_EQ(joined.status, 0) << joined.err;
}

// The decoder makes a page as wide as its widest decoded line; the rest of a
// fax line is white.
Bitmap Widened(Bitmap page, int width) {
    page.width = width;
    for (std::string& row : page.rows)
        row.resize(static_cast<std::size_t>(width / 8), '\0');
    return page;
}

class EngineReceiveCall : public LineFixture {
protected:
    // Starts the line with the fax machine calling end A, where our receiver
    // waits for it.
    void StartReceiver(const std::string& tiff, const std::vector<std::string>& faults = {}) {
        std::vector<std::string> args = {"--a",          "class1", "--b",          "faxterm", "--faxterm-call",
                                         "--faxterm-send", tiff,   "--faxterm-id", kMachineId};
        args.insert(args.end(), faults.begin(), faults.end());
        ASSERT_NO_FATAL_FAILURE(StartLine(args));
        ASSERT_NO_FATAL_FAILURE(MakeReceiver("ttyA"));
    }

    // Our receiver on the link `tty`.
    void MakeReceiver(const std::string& tty) {
        harness_ = std::make_unique<EngineHarness>(File(tty), dir_.folder());
        ASSERT_TRUE(harness_->PortOpen()) << harness_->openResult;
        // A receive component's window: it accepts every call and leaves the
        // file name to the engine.
        harness_->window = std::make_unique<base::MessageWindow>(
            harness_->loop, [this](const base::WindowMessage& m) { return OnMessage(m); });
        harness_->engine = fax::CreateReceiver(kOurId, *harness_->port, harness_->window.get());
        fax::FaxEngine& engine = *harness_->engine;
        std::filesystem::create_directory(File("in"));
        engine.Session().destinationDir = File("in") + "/";
        engine.Session().flags = fax::kFlagExitOnError;
        engine.Receiver().oneFax = true;
        engine.Modem().desiredBps = 14400;
    }

    std::intptr_t OnMessage(const base::WindowMessage& m) {
        if (m.msg == fax::kMsgLog)
            logs_.push_back(static_cast<int>(m.wParam));
        if (m.msg == fax::kMsgFinish)
            finished_ = static_cast<int>(static_cast<std::intptr_t>(m.wParam));
        return m.msg == fax::kMsgAccept ? 1 : 0;
    }

    // Runs the call; the finish code (1 when none came in time).
    int RunCall() {
        const int started = harness_->engine->Start();
        if (started != 0)
            return started;
        const auto until = std::chrono::steady_clock::now() + kCallLimit;
        while (!finished_ && std::chrono::steady_clock::now() < until)
            harness_->loop.Run(std::chrono::milliseconds(20));
        EXPECT_TRUE(finished_.has_value()) << "the engine did not finish";
        return finished_.value_or(1);
    }

    // `offered` is the best coding our DIS offers; `coding` the one the call
    // must then have used on the line. With `ecm` the pages come as error
    // correction's frames; at 9600 bit/s, since linesim's modem hears V.17's
    // short training only after a long one.
    void ReceivesThreePages(bool fine, faxdoc::PageCoding offered, const std::string& coding, bool ecm = false) {
        const std::vector<Bitmap> pages = {TestPage(fine ? 400 : 200), TestPage(fine ? 300 : 150),
                                           TestPage(fine ? 200 : 100)};
        ASSERT_NO_FATAL_FAILURE(WriteFaxTiffPages(pages, fine, File("send.tif")));
        ASSERT_NO_FATAL_FAILURE(StartReceiver(File("send.tif")));
        harness_->engine->Modem().desiredCoding = offered;
        if (ecm) {
            harness_->engine->Modem().desiredEcm = '1';
            harness_->engine->Modem().desiredBps = 9600;
        }
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(RunCall(), 0) << Logs();
        const auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        const std::string result = CallResult();
        std::cout << (fine ? "three fine pages received" : "three normal pages received") << (ecm ? " with ECM: " : ": ")
                  << seconds << " s, " << result << "\n";
        EXPECT_EQ(harness_->engine->Modem().params.ecm, ecm);
        EXPECT_EQ(JsonField(result, "result"), "completed") << result;
        EXPECT_EQ(JsonField(result, "pages_b_to_a"), "3") << result;
        EXPECT_EQ(JsonField(result, "coding"), coding) << result;
        EXPECT_EQ(JsonField(result, "ecm"), ecm ? "true" : "false") << result;
        EXPECT_EQ(JsonField(result, "id_a"), kOurId) << result;
        EXPECT_EQ(logs_, (std::vector<int>{fax::kLogReceiveStarted, fax::kLogReceiveOk}));
        EXPECT_EQ(harness_->engine->RemoteId(), kMachineId);

        const std::string apf = File("in/FAX0001.APF");
        faxdoc::ApfReader reader;
        ASSERT_EQ(reader.Open(apf), 0) << "no FAX0001.APF";
        EXPECT_EQ(reader.Header().pageCount, 3);
        EXPECT_NE(reader.Header().stationId.find(kMachineId), std::string::npos) << reader.Header().stationId;
        for (unsigned n = 1; n <= 3; ++n) {
            faxdoc::ApfPageHeader header;
            ASSERT_EQ(reader.FindPage(n, header), 0);
            EXPECT_EQ(header.HighResolution(), fine) << "page " << n;
            EXPECT_EQ(InkedRows(Widened(ApfPageBitmap(apf, n), pages[n - 1].width)), InkedRows(pages[n - 1])) << "page " << n;
        }
    }

    std::unique_ptr<EngineHarness> harness_;
    std::vector<int> logs_;
    std::optional<int> finished_;
};

// The fax machine sends two-dimensional pages when we offer them; they are
// stored in MH.
TEST_F(EngineReceiveCall, ThreeNormalPagesFromTheFaxMachine) {
    ReceivesThreePages(false, faxdoc::PageCoding::Mmr, "MR");
}

TEST_F(EngineReceiveCall, ThreeFinePagesFromTheFaxMachine) { ReceivesThreePages(true, faxdoc::PageCoding::Mmr, "MR"); }

TEST_F(EngineReceiveCall, ThreeFinePagesInMhWhenWeOfferNothingElse) {
    ReceivesThreePages(true, faxdoc::PageCoding::Mh, "MH");
}

// With error correction the fax machine takes MMR, or MR when we offer no
// more; both are stored in MH.
TEST_F(EngineReceiveCall, ThreeFinePagesWithErrorCorrection) {
    ReceivesThreePages(true, faxdoc::PageCoding::Mmr, "MMR", true);
}

TEST_F(EngineReceiveCall, ThreeNormalPagesInMrWithErrorCorrection) {
    ReceivesThreePages(false, faxdoc::PageCoding::Mr, "MR", true);
}

// Loss and noise spoil frames on their way to us: we ask for them again
// (PPR) and store the page exactly as sent. (A little more noise, -50 dBm0,
// spoils nearly every frame at 9600 bit/s, which our training check still
// takes.)
TEST_F(EngineReceiveCall, NoisyLineWithErrorCorrectionAsksForFramesAgain) {
    const std::vector<Bitmap> pages = {TestPage(400)};
    ASSERT_NO_FATAL_FAILURE(WriteFaxTiffPages(pages, true, File("send.tif")));
    ASSERT_NO_FATAL_FAILURE(StartReceiver(File("send.tif"), {"--fault", "loss:20", "--fault", "noise:-52"}));
    harness_->engine->Modem().desiredEcm = '1';
    harness_->engine->Modem().desiredCoding = faxdoc::PageCoding::Mh;
    harness_->engine->Modem().desiredBps = 9600;
    harness_->port->StartDispatchLog(1 << 20);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(RunCall(), 0) << Logs();
    const auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const std::string result = CallResult();
    // The dispatch log read without blanks: it wraps long entries anywhere.
    harness_->port->WriteDispatchLog(File("dispatch.log"), false, false, false);
    std::ifstream in(File("dispatch.log"));
    std::string log;
    for (char c; in.get(c);) {
        if (c != ' ' && c != '\n')
            log += c;
    }
    int pprs = 0;
    for (std::size_t at = log.find("framesaskedagain"); at != std::string::npos; at = log.find("framesaskedagain", at + 1))
        ++pprs;
    std::cout << "noisy line, received with ECM: " << seconds << " s, " << pprs << " PPRs sent, " << result << "\n";
    EXPECT_EQ(JsonField(result, "pages_b_to_a"), "1") << result;
    EXPECT_GT(pprs, 0) << "no frame was asked for again: the noise spoilt nothing";
    const std::string apf = File("in/FAX0001.APF");
    EXPECT_EQ(InkedRows(Widened(ApfPageBitmap(apf, 1), pages[0].width)), InkedRows(pages[0]));
}

class EngineReceivesFromEfax : public EngineReceiveCall, public ::testing::WithParamInterface<ModemClass> {};

// efax sends two fine pages through a modem of each class. Through Class 2 and
// 2.0 the modem runs the session and we take its reports and the page data
// (bit reversed by a Class 2 modem, as on the line by a Class 2.0 one).
TEST_P(EngineReceivesFromEfax, TwoFinePages) {
    const std::vector<Bitmap> pages = {TestPage(400), TestPage(250)};
    WriteFaxTiff(pages[0], File("p1.tif"));
    WriteFaxTiff(pages[1], File("p2.tif"));
    ASSERT_NO_FATAL_FAILURE(StartLine({"--a", GetParam().endpoint, "--b", GetParam().endpoint}));
    ASSERT_NO_FATAL_FAILURE(MakeReceiver("ttyB"));
    harness_->engine->Session().faxClass = GetParam().faxClass;
    const auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(harness_->engine->Start(), 0);
    auto sender = Efax('a', {std::string("-o") + GetParam().efax, "-l", "+1 555 0101", "-h", " ", "-t", "1",
                             File("p1.tif"), File("p2.tif")});
    const auto until = std::chrono::steady_clock::now() + kCallLimit;
    while (!finished_ && std::chrono::steady_clock::now() < until)
        harness_->loop.Run(std::chrono::milliseconds(20));
    EXPECT_EQ(finished_.value_or(1), 0) << Logs();
    EXPECT_EQ(EfaxStatus(*sender), 0) << Logs();
    const auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const std::string result = CallResult();
    std::cout << "two fine pages from efax through " << GetParam().endpoint << ": " << seconds << " s, " << result
              << "\n";
    EXPECT_EQ(JsonField(result, "result"), "completed") << result;
    EXPECT_EQ(harness_->engine->RemoteId(), "+1 555 0101");
    EXPECT_EQ(logs_, (std::vector<int>{fax::kLogReceiveStarted, fax::kLogReceiveOk}));
    const std::string apf = File("in/FAX0001.APF");
    for (unsigned n = 1; n <= 2; ++n) {
        faxdoc::ApfPageHeader header;
        faxdoc::ApfFileHeader fileHeader;
        ASSERT_EQ(faxdoc::ApfFindPage(apf, n, fileHeader, header), 0) << "page " << n;
        EXPECT_EQ(fileHeader.pageCount, 2);
        EXPECT_TRUE(header.HighResolution());
        EXPECT_EQ(InkedRows(Widened(ApfPageBitmap(apf, n), pages[n - 1].width)), InkedRows(pages[n - 1]))
            << "page " << n;
    }
}

INSTANTIATE_TEST_SUITE_P(Classes, EngineReceivesFromEfax,
                         ::testing::Values(kClass1Modem, kClass2Modem, kClass20Modem),
                         [](const auto& info) { return ModemClassName(info.param); });

}  // namespace
}  // namespace vl::test
