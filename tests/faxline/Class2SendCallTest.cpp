// The engine's send machine through Class 2 and Class 2.0 modems, which run
// the fax protocol themselves, with efax receiving on the far modem.
#include "ApfPages.h"
#include "EngineSendCall.h"
#include "ModemClasses.h"
#include "fax/FaxCodes.h"

namespace vl::test {
namespace {

constexpr int kPageRows = 300;

class EngineSendsThroughClass2 : public EngineSendCallFixture, public ::testing::WithParamInterface<ModemClass> {};

TEST_P(EngineSendsThroughClass2, ToEfax) {
    const std::string apf = File("two.apf");
    const std::vector<Bitmap> pages = {TestPage(kPageRows), TestPage(kPageRows / 2)};
    ASSERT_NO_FATAL_FAILURE(WriteApfPages(apf, pages, true));
    ASSERT_NO_FATAL_FAILURE(StartSender({"--a", GetParam().endpoint, "--b", GetParam().endpoint}));
    auto receiver = Efax('b', {std::string("-o") + GetParam().efax, "-l", "+1 555 0102", "-r", File("rx")});
    harness_->engine->Session().faxClass = GetParam().faxClass;
    harness_->engine->Modem().desiredBps = 14400;
    harness_->Queue({"0102", apf, ""});
    EXPECT_EQ(RunCall(), 0) << Logs();
    EXPECT_EQ(EfaxStatus(*receiver), 0) << Logs();
    const std::string result = CallResult();
    std::cout << GetParam().endpoint << ": " << callSeconds_ << " s, " << result << "\n";
    EXPECT_EQ(JsonField(result, "result"), "completed") << result;
    EXPECT_EQ(harness_->engine->RemoteId(), "+1 555 0102");
    EXPECT_EQ(harness_->logs, (std::vector<int>{1, 2}));
    for (unsigned page = 1; page <= 2; ++page) {
        const Bitmap received = ReadFaxTiff(File("rx.00" + std::to_string(page)));
        EXPECT_EQ(InkedRows(received), InkedRows(WidenedTo(ApfPageBitmap(apf, page), received.width)))
            << "page " << page;
    }
}

INSTANTIATE_TEST_SUITE_P(Classes, EngineSendsThroughClass2,
                         ::testing::Values(kClass2Modem, kClass20Modem),
                         [](const auto& info) { return ModemClassName(info.param); });

}  // namespace
}  // namespace vl::test
