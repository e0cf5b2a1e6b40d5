// The engine sends with error correction through a Class 1 modem: the fax
// machine at the far end takes the pages as numbered frames in blocks and
// stores them as sent.
#include <fstream>
#include <sstream>

#include "EngineSendCall.h"
#include "base/ErrorCodes.h"

namespace vl::test {
namespace {

constexpr int kPageRows = 300;

class EngineSendsWithEcm : public EngineSendCallFixture {
protected:
    void StartEcmSender(std::vector<std::string> extraLineArgs = {}) {
        std::vector<std::string> args = {"--a", "class1", "--b", "faxterm", "--faxterm-receive", File("rx.tif")};
        args.insert(args.end(), extraLineArgs.begin(), extraLineArgs.end());
        ASSERT_NO_FATAL_FAILURE(StartSender(args));
        harness_->engine->SetHeaderLine("$P/$N");
        harness_->engine->Modem().desiredEcm = '1';
        harness_->engine->Modem().desiredCoding = faxdoc::PageCoding::Mh;
        harness_->engine->Modem().desiredBps = 9600;
        harness_->port->StartDispatchLog(1 << 20);
    }

    // The dispatch log as text, for the engine's notes on frames sent again.
    std::string DispatchLog() {
        const std::string file = File("dispatch.log");
        harness_->port->WriteDispatchLog(file, false, false, false);
        std::ifstream in(file);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
};

TEST_F(EngineSendsWithEcm, PagesArriveWholeAsFramesInBlocks) {
    const std::string apf = File("two.apf");
    ASSERT_NO_FATAL_FAILURE(WriteApfPages(apf, {TestPage(kPageRows), TestPage(kPageRows / 3)}, true));
    ASSERT_NO_FATAL_FAILURE(StartEcmSender());
    harness_->Queue({"0199", apf, ""});
    EXPECT_EQ(RunCall(), 0) << Logs();
    const std::string result = CallResult();
    std::cout << "two pages with ECM: " << callSeconds_ << " s, " << result << "\n";
    EXPECT_EQ(JsonField(result, "result"), "completed") << result;
    EXPECT_EQ(JsonField(result, "pages_a_to_b"), "2") << result;
    EXPECT_TRUE(harness_->engine->Modem().params.ecm);
    EXPECT_EQ(harness_->logs, (std::vector<int>{1, 2}));
    ExpectPageArrived(ReadFaxTiff(File("rx.tif"), 0), apf, 1, true);
    ExpectPageArrived(ReadFaxTiff(File("rx.tif"), 1), apf, 2, true);
    EXPECT_EQ(DispatchLog().find("sent again"), std::string::npos) << "frames sent again on a clean line";
}

}  // namespace
}  // namespace vl::test
