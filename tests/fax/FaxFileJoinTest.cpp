#include "fax/FaxFileJoin.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "ApfTestFiles.h"
#include "base/ErrorCodes.h"
#include "faxdoc/ApfReader.h"
#include "support/TestSupport.h"

namespace vl::fax {
namespace {

using Bytes = std::vector<std::uint8_t>;
using test::TestPage;

// Points the system temporary folder at a folder of the test's own, so that
// what a join leaves behind can be seen.
class FaxFileJoinTest : public ::testing::Test {
protected:
    void SetUp() override {
        const char* old = std::getenv("TMPDIR");
        hadTmpDir_ = old != nullptr;
        if (hadTmpDir_) oldTmpDir_ = old;
        setenv("TMPDIR", temp_.path().c_str(), 1);
    }
    void TearDown() override {
        if (hadTmpDir_) setenv("TMPDIR", oldTmpDir_.c_str(), 1);
        else unsetenv("TMPDIR");
    }

    std::string Apf(const std::string& name, std::size_t pages, std::uint8_t fill) {
        std::vector<TestPage> list;
        for (std::size_t i = 0; i < pages; ++i)
            list.push_back({static_cast<std::uint16_t>(i % 2), Bytes(100 + i, static_cast<std::uint8_t>(fill + i))});
        const std::string path = files_.folder() + name;
        test::WriteApf(path, list);
        return path;
    }

    std::size_t LeftInTemp() const {
        return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(temp_.path()), {}));
    }

    vl::test::TempDir files_;
    vl::test::TempDir temp_;
    bool hadTmpDir_ = false;
    std::string oldTmpDir_;
};

TEST_F(FaxFileJoinTest, ThreeFilesBecomeOneWithThePageCountsAdded) {
    const std::vector<std::string> files = {Apf("A.APF", 1, 0x10), Apf("B.APF", 2, 0x20), Apf("C.APF", 3, 0x30)};
    std::string joined;
    ASSERT_EQ(JoinFaxFiles(files, "APF", joined), 0);
    EXPECT_EQ(std::filesystem::path(joined).parent_path(), temp_.path());
    EXPECT_EQ(std::filesystem::path(joined).filename().string().substr(0, 3), "~VL");
    // The sender adds the extension to a name without one: it must be there.
    EXPECT_EQ(std::filesystem::path(joined).extension(), ".APF");

    faxdoc::ApfReader reader;
    ASSERT_EQ(reader.Open(joined), 0);
    ASSERT_EQ(reader.Header().pageCount, 6);
    const std::uint8_t fills[] = {0x10, 0x20, 0x21, 0x30, 0x31, 0x32};
    for (unsigned p = 1; p <= 6; ++p) {
        faxdoc::ApfPage page;
        ASSERT_EQ(reader.ReadPage(p, page), 0) << "page " << p;
        EXPECT_EQ(page.imageData.front(), fills[p - 1]) << "page " << p;
    }
    std::filesystem::remove(joined);
}

TEST_F(FaxFileJoinTest, FailuresLeaveNoTemporaryFile) {
    const std::string good = Apf("A.APF", 1, 0x10);
    const std::string bad = files_.folder() + "BAD.APF";
    vl::test::WriteFile(bad, "APF11\x1A" + std::string(100, '\0'));
    const struct {
        const char* what;
        std::vector<std::string> files;
        int rc;
    } cases[] = {
        {"bad signature in the middle", {good, bad, good}, base::ecFaxBadFormat},
        {"bad signature first", {bad, good}, base::ecFaxBadFormat},
        {"missing file", {good, files_.folder() + "NONE.APF"}, base::ecFileNotFound},
        {"no files", {}, base::ecBadFileList},
    };
    for (const auto& c : cases) {
        std::string joined = "stale";
        EXPECT_EQ(JoinFaxFiles(c.files, "APF", joined), c.rc) << c.what;
        EXPECT_TRUE(joined.empty()) << c.what;
        EXPECT_EQ(LeftInTemp(), 0u) << c.what;
    }
}

TEST_F(FaxFileJoinTest, PageCountsThatWouldWrapAreRefused) {
    std::string many = test::ApfBytes({}, 65000);
    const std::string a = files_.folder() + "A.APF";
    vl::test::WriteFile(a, many);
    std::string joined;
    EXPECT_EQ(JoinFaxFiles({a, a}, "APF", joined), base::ecFaxBadFormat);
    EXPECT_EQ(LeftInTemp(), 0u);
}

}  // namespace
}  // namespace vl::fax
