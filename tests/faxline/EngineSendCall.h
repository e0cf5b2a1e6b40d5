// Calls made by the engine's send machine through a Class 1 modem on end A
// of the simulated line.
#pragma once

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "ApfPages.h"
#include "EngineHarness.h"
#include "LineFixture.h"
#include "faxdoc/FaxFont.h"

namespace vl::test {

// Blank rows the sender puts above each page's header line.
inline constexpr int kTopBlankRows = 8;

class EngineSendCallFixture : public LineFixture {
protected:
    // Starts the line and a sender on end A; a fatal failure when either fails.
    void StartSender(std::vector<std::string> lineArgs) {
        ASSERT_NO_FATAL_FAILURE(StartLine(std::move(lineArgs)));
        harness_ = std::make_unique<EngineHarness>(File("ttyA"), dir_.folder());
        ASSERT_TRUE(harness_->PortOpen()) << harness_->openResult;
        harness_->MakeSender("+1 555 0101");
    }

    // The code the session ended with; callSeconds_ holds how long it took.
    int RunCall() {
        const auto start = std::chrono::steady_clock::now();
        const int started = harness_->engine->Start();
        const auto finished = harness_->RunToFinish(callLimit_);
        callSeconds_ = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        EXPECT_TRUE(finished.has_value()) << "the engine did not finish";
        if (started != 0)
            return started;
        return finished.value_or(1);
    }

    // The received page holds the blank rows, the header rows and our page.
    static void ExpectPageArrived(const Bitmap& received, const std::string& apf, unsigned page, bool fine) {
        const Bitmap sent = WidenedTo(ApfPageBitmap(apf, page), received.width);
        const int headerRows = faxdoc::FaxFont(faxdoc::FaxFontSize::Small, fine).GlyphHeight();
        ASSERT_EQ(received.height, kTopBlankRows + headerRows + sent.height);
        EXPECT_EQ(InkedRows(RowsOf(received, 0, kTopBlankRows)).height, 0) << "top rows are not blank";
        EXPECT_GT(InkedRows(RowsOf(received, kTopBlankRows, headerRows)).height, 0) << "no header line";
        EXPECT_EQ(RowsOf(received, kTopBlankRows + headerRows, sent.height), sent);
    }

    std::unique_ptr<EngineHarness> harness_;
    double callSeconds_ = 0;
};

}  // namespace vl::test
