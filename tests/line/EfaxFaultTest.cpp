// Each fault on the line reaches efax as the failure a real line would give.
#include "LineFixture.h"

namespace vl::test {
namespace {

struct Fault {
    const char* name;
    const char* option;      // the --fault value
    const char* result;      // linesim's result field
    int efaxStatus;          // efax's exit status
    const char* efaxSays;    // what efax's log must show
};

void PrintTo(const Fault& f, std::ostream* os) { *os << f.name; }

class EfaxFault : public LineFixture, public ::testing::WithParamInterface<Fault> {};

TEST_P(EfaxFault, EfaxSendingThroughClass1SeesIt) {
    const Fault& fault = GetParam();
    WriteFaxTiff(TestPage(400), File("page.tif"));
    ASSERT_NO_FATAL_FAILURE(StartLine({"--a", "class1", "--b", "faxterm", "--fault", fault.option}));
    auto sender = Efax('a', {"-o1", "-l", "+1 555 0101", "-t", "199", File("page.tif")});
    EXPECT_EQ(EfaxStatus(*sender), fault.efaxStatus);
    const std::string result = CallResult();
    EXPECT_EQ(JsonField(result, "result"), fault.result) << result;
    EXPECT_NE(ReadFile(File("efax-a.log")).find(fault.efaxSays), std::string::npos) << Logs();
}

INSTANTIATE_TEST_SUITE_P(Line, EfaxFault,
                         ::testing::Values(Fault{"Busy", "busy", "busy", 1, "BUSY"},
                                           Fault{"NoAnswer", "no-answer", "no-answer", 2, "NO ANSWER"},
                                           Fault{"NoDialtone", "no-dialtone", "no-dialtone", 2, "NO DIALTONE"},
                                           Fault{"Voice", "voice", "voice", 2, "NO CARRIER"},
                                           Fault{"CarrierLostMidPage", "drop-after-page:0", "dropped", 3,
                                                 "NO CARRIER"}),
                         [](const auto& info) { return std::string(info.param.name); });

// The emulated Class 2 modems report a line lost mid-page with the phase C
// hang-up code on the sending side.
TEST_F(LineFixture, EfaxToEfaxThroughClass2SeesTheLineDropMidPage) {
    WriteFaxTiff(TestPage(400), File("page.tif"));
    ASSERT_NO_FATAL_FAILURE(StartLine({"--a", "class2", "--b", "class2", "--fault", "drop-after-page:0"}));
    auto receiver = Efax('b', {"-o2", "-r", File("rx")});
    auto sender = Efax('a', {"-o2", "-t", "102", File("page.tif")});
    EXPECT_NE(EfaxStatus(*sender), 0);
    EXPECT_NE(EfaxStatus(*receiver), 0);
    const std::string result = CallResult();
    EXPECT_EQ(JsonField(result, "result"), "dropped") << result;
    EXPECT_NE(ReadFile(File("efax-a.log")).find("abnormal termination (code 40)"), std::string::npos) << Logs();
}

}  // namespace
}  // namespace vl::test
