// efax completes real fax calls through the line: the emulated modems speak as
// real ones do, page data arrives pixel for pixel.
#include "LineFixture.h"

namespace vl::test {
namespace {

constexpr int kPageRows = 400;

class EfaxCall : public LineFixture {
protected:
    void SetUp() override {
        page_ = TestPage(kPageRows);
        WriteFaxTiff(page_, File("page.tif"));
    }

    // efax on end B receives, efax on end A sends the page; both must succeed.
    void EfaxToEfax(const std::string& kind, const std::string& efaxClass) {
        ASSERT_NO_FATAL_FAILURE(StartLine({"--a", kind, "--b", kind}));
        auto receiver = Efax('b', {"-o" + efaxClass, "-l", "+1 555 0102", "-r", File("rx")});
        auto sender = Efax('a', {"-o" + efaxClass, "-l", "+1 555 0101", "-h", " ", "-t", "102", File("page.tif")});
        EXPECT_EQ(EfaxStatus(*sender), 0);
        EXPECT_EQ(EfaxStatus(*receiver), 0);
        const std::string result = CallResult();
        EXPECT_EQ(JsonField(result, "result"), "completed") << result;
        EXPECT_EQ(InkedRows(ReadFaxTiff(File("rx.001"))), InkedRows(page_));
    }

    Bitmap page_;
};

TEST_F(EfaxCall, SendsThroughClass1ToTheFaxMachine) {
    ASSERT_NO_FATAL_FAILURE(StartLine({"--a", "class1", "--b", "faxterm", "--faxterm-receive", File("rx.tif"),
                                       "--faxterm-id", "+1 555 0199"}));
    auto sender = Efax('a', {"-o1", "-l", "+1 555 0101", "-h", " ", "-t", "199", File("page.tif")});
    EXPECT_EQ(EfaxStatus(*sender), 0);
    const std::string result = CallResult();
    EXPECT_EQ(JsonField(result, "result"), "completed") << result;
    EXPECT_EQ(JsonField(result, "pages_a_to_b"), "1") << result;
    EXPECT_EQ(InkedRows(ReadFaxTiff(File("rx.tif"))), InkedRows(page_));
}

TEST_F(EfaxCall, FaxMachineSendsToEfaxOnClass1) {
    ASSERT_NO_FATAL_FAILURE(StartLine({"--a", "class1", "--b", "faxterm", "--faxterm-call", "--faxterm-send",
                                       File("page.tif"), "--faxterm-id", "+1 555 0199"}));
    auto receiver = Efax('a', {"-o1", "-l", "+1 555 0101", "-r", File("rx")});
    EXPECT_EQ(EfaxStatus(*receiver), 0);
    const std::string result = CallResult();
    EXPECT_EQ(JsonField(result, "result"), "completed") << result;
    EXPECT_EQ(JsonField(result, "pages_b_to_a"), "1") << result;
    EXPECT_EQ(InkedRows(ReadFaxTiff(File("rx.001"))), InkedRows(page_));
}

TEST_F(EfaxCall, EfaxToEfaxThroughClass2) { EfaxToEfax("class2", "2"); }

TEST_F(EfaxCall, EfaxToEfaxThroughClass20) { EfaxToEfax("class2.0", "0"); }

}  // namespace
}  // namespace vl::test
