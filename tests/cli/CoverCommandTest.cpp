#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>
#include <sstream>
#include <string>

#include "cover/RenderFile.h"
#include "support/RenderRecordSamples.h"
#include "support/TestSupport.h"

namespace vl::test {
namespace {

class CoverCommand : public ::testing::Test {
protected:
    CoverCommand() {
        const cover::RenderRecord recipient = FieldRecord(3, 100, 100, 800, 60, 24);
        const cover::RenderRecord message = TextRecord(cover::RecordKind::Message, 100, 400, 800, 400, 24);
        const std::vector<std::uint8_t> bytes = cover::WriteRenderFile({recipient, message});
        WriteFile(home.path() / "t.fct", std::string(bytes.begin(), bytes.end()));
        WriteFile(home.path() / "message.txt", "Three pages follow.\r\nPlease call back.\r\n");
    }
    RunResult Cli(const std::vector<std::string>& args) { return RunCli(home.folder(), args); }
    std::string Path(const std::string& name) const { return home.folder() + name; }

    TempDir home;
};

TEST_F(CoverCommand, RenderMakesAOnePageFineFaxThatExportsWithTheValuesDrawn) {
    RunResult r = Cli({"cover", "render", Path("t.fct"), "-o", Path("C.APF"), "--to", "Jane Receiver", "--message",
                       Path("message.txt"), "--flags", "X   X"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, Path("C.APF") + "\n");
    r = Cli({"info", Path("C.APF"), "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("\"page_count\":1"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\"fine\":true"), std::string::npos) << r.out;

    // The recipient's name inks the row band of its field; without it the band is white.
    const auto inkedBand = [&](const std::string& apf) {
        const RunResult exported = Cli({"export", apf, "--format", "pbm", "-o", Path("page.pbm")});
        EXPECT_EQ(exported.status, 0) << exported.err;
        // The page is as wide as its longest coded line.
        std::istringstream pbm(ReadFile(home.path() / "page.pbm"));
        std::string magic;
        int width = 0;
        int height = 0;
        pbm >> magic >> width >> height;
        pbm.get();
        const std::string bits((std::istreambuf_iterator<char>(pbm)), std::istreambuf_iterator<char>());
        const std::size_t stride = (width + 7) / 8;
        EXPECT_EQ(height, 2156);
        const std::string band = bits.substr((98 + 100) * stride, 30 * stride);
        return band.find_first_not_of('\0') != std::string::npos;
    };
    EXPECT_TRUE(inkedBand(Path("C.APF")));
    ASSERT_EQ(Cli({"cover", "render", Path("t.fct"), "-o", Path("D.APF")}).status, 0);
    EXPECT_FALSE(inkedBand(Path("D.APF")));
}

TEST_F(CoverCommand, PreviewWritesAPngOfThePreviewSize) {
    const RunResult r = Cli({"cover", "preview", Path("t.fct"), "-o", Path("t.png")});
    ASSERT_EQ(r.status, 0) << r.err;
    const RunResult size = test::Run("/usr/bin/pngtopnm", {Path("t.png")});
    ASSERT_EQ(size.status, 0) << size.err;
    EXPECT_EQ(size.out.find("\n816 1056\n"), 2u) << size.out.substr(0, 20);
}

TEST_F(CoverCommand, ABareTemplateNameIsLookedUpInTheCoversFolderThenAmongTheShippedOnes) {
    std::filesystem::create_directory(home.path() / "Covers");
    std::filesystem::copy_file(Path("t.fct"), home.path() / "Covers" / "Mine.FCT");
    RunResult r = Cli({"cover", "render", "mine.fct", "-o", Path("M.APF"), "--to", "Jane Receiver"});
    EXPECT_EQ(r.status, 0) << r.err;
    r = Cli({"cover", "render", "vl0001.fct", "-o", Path("V.APF")});
    EXPECT_EQ(r.status, 0) << r.err;
    r = Cli({"cover", "render", "vl9999.fct", "-o", Path("N.APF")});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("vl9999.fct: no such template"), std::string::npos) << r.err;
}

TEST_F(CoverCommand, BadArgumentsChangeNothing) {
    const std::string t = Path("t.fct");
    const std::vector<std::vector<std::string>> cases = {
        {"cover"},
        {"cover", "print", t, "-o", Path("x.APF")},
        {"cover", "render", t},
        {"cover", "render", "-o", Path("x.APF")},
        {"cover", "render", t, t, "-o", Path("x.APF")},
        {"cover", "render", Path("none.fct"), "-o", Path("x.APF")},
        {"cover", "render", t, "-o", Path("x.APF"), "--flags", "XX"},
        {"cover", "render", t, "-o", Path("x.APF"), "--flags", "XYXXX"},
        {"cover", "render", t, "-o", Path("x.APF"), "--message", Path("none.txt")},
        {"cover", "render", t, "-o", Path("x.APF"), "--colour", "red"},
        {"cover", "render", t, "-o"},
        {"cover", "preview", t, "-o", Path("x.APF"), "--to", "Jane"},
    };
    for (const auto& args : cases) {
        const RunResult r = Cli(args);
        EXPECT_EQ(r.status, 2) << args.size() << " " << r.err;
        EXPECT_FALSE(r.err.empty());
    }
    EXPECT_FALSE(std::filesystem::exists(Path("x.APF")));
}

}  // namespace
}  // namespace vl::test
