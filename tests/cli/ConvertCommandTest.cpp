#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "support/SampleReport.h"
#include "support/TestSupport.h"

namespace vl::test {
namespace {

class ConvertCommand : public ::testing::Test {
protected:
    std::string Write(const std::string& name, const std::string& bytes) {
        WriteFile(home.path() / name, bytes);
        return home.folder() + name;
    }
    RunResult Cli(const std::vector<std::string>& args) { return RunCli(home.folder(), args); }

    TempDir home;
};

TEST_F(ConvertCommand, TextBecomesAFaxFileThatInfoAndExportRead) {
    std::string text;
    for (int i = 0; i < 70; ++i) text += "line " + std::to_string(i) + "\n";
    const std::string input = Write("letter.txt", text);
    RunResult r = Cli({"convert", input, "--fine", "--station-id", "+1 555 0100", "--lines-per-page", "50"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, home.folder() + "letter.APF\n");
    r = Cli({"info", home.folder() + "letter.APF", "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("\"station_id\":\"+1 555 0100\""), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\"page_count\":2"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\"fine\":true"), std::string::npos) << r.out;
    r = Cli({"export", home.folder() + "letter.APF", "--page", "2", "--format", "pbm", "-o", home.folder() + "p2"});
    EXPECT_EQ(r.status, 0) << r.err;
}

TEST_F(ConvertCommand, ImageKindFollowsTheExtensionAndOutputGetsApf) {
    // A 16 x 2 monochrome PBM through netpbm's BMP writer.
    const std::string pbm = Write("in.pbm", std::string("P4\n16 2\n\xFF\x00\x00\xFF", 12));
    const RunResult made = test::Run("/usr/bin/ppmtobmp", {"-bpp", "1", pbm});
    ASSERT_EQ(made.status, 0) << made.err;
    const std::string bmp = Write("Picture.BMP", made.out);
    const RunResult r = Cli({"convert", bmp, "-o", home.folder() + "out", "--wide", "--no-center"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(std::filesystem::exists(home.folder() + "out.APF"));
}

TEST_F(ConvertCommand, SystemFontText) {
    const std::string input = Write("note.txt", "Hello from a system font\n");
    const RunResult r = Cli({"convert", input, "--font", "DejaVu Sans:12"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(std::filesystem::exists(home.folder() + "note.APF"));
}

TEST_F(ConvertCommand, BadInputAndBadFiles) {
    const std::string text = Write("a.txt", "x\n");
    EXPECT_EQ(Cli({"convert"}).status, 2);
    EXPECT_EQ(Cli({"convert", text, "--tab", "0"}).status, 2);
    EXPECT_EQ(Cli({"convert", text, "--lines-per-page", "-1"}).status, 2);
    EXPECT_EQ(Cli({"convert", text, "--font", "huge"}).status, 2);
    EXPECT_EQ(Cli({"convert", Write("a.doc", "x")}).status, 2);
    // A file that is not what its extension says: the message of its code, status 1.
    RunResult r = Cli({"convert", Write("fake.tif", "not a tiff")});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("Unsupported graphics file format"), std::string::npos) << r.err;
    r = Cli({"convert", home.folder() + "absent.pcx"});
    EXPECT_EQ(r.status, 1);
    EXPECT_FALSE(std::filesystem::exists(home.folder() + "absent.APF"));
    EXPECT_FALSE(std::filesystem::exists(home.folder() + "fake.APF"));
}

TEST_F(ConvertCommand, APdfIsRenderedPageByPageAtEitherResolution) {
    const std::string pdf = MakeReportPdf(home.folder());
    ASSERT_FALSE(pdf.empty());
    RunResult r = Cli({"convert", pdf, "--fine"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, home.folder() + "report.APF\n");
    r = Cli({"info", home.folder() + "report.APF", "--json"});
    EXPECT_NE(r.out.find("\"page_count\":3"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("{\"page\":3,\"fine\":true"), std::string::npos) << r.out;
    // PostScript as well, at normal resolution, under the name asked for.
    r = Cli({"convert", home.folder() + "report.ps", "-o", home.folder() + "normal"});
    ASSERT_EQ(r.status, 0) << r.err;
    r = Cli({"info", home.folder() + "normal.APF", "--json"});
    EXPECT_NE(r.out.find("\"page_count\":3"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("{\"page\":1,\"fine\":false"), std::string::npos) << r.out;
}

TEST_F(ConvertCommand, ADocumentThatCannotBeRenderedSaysWhyAndLeavesNoFile) {
    const std::string line = "72 72 moveto 99 99 lineto stroke showpage\n";
    const std::string poster = "%!PS\n<< /PageSize [1701 2551] >> setpagedevice " + line;
    const std::string locked = home.folder() + "locked.pdf";
    const bool haveLocked = RunGhostscript({"-sDEVICE=pdfwrite", "-sOwnerPassword=owner", "-sUserPassword=user",
                                            "-dEncryptionR=3", "-dKeyLength=128", "-sOutputFile=" + locked,
                                            Write("locked.ps", "%!PS\n" + line)})
                                .status == 0;
    struct Case {
        std::string file;
        std::string says;
    };
    std::vector<Case> cases = {
        {Write("cut.pdf", "%PDF-1.4\n1 0 obj\n<< /Type /Catalog /Pages 2 0 R"), "the document"},
        {Write("blank.ps", "%!PS\n"), "the document has no pages"},
        {Write("poster.eps", poster), "page 1 is 600 x 900 mm, larger than A3"},
        {home.folder() + "absent.pdf", "absent.pdf: No such file"},
    };
    if (haveLocked) cases.push_back({locked, "password"});
    for (const Case& c : cases) {
        const RunResult r = Cli({"convert", c.file, "--fine"});
        EXPECT_EQ(r.status, 1) << c.file;
        EXPECT_TRUE(r.err.starts_with("vellora-cli convert: " + c.file + ": ")) << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
        EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
        EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(c.file).replace_extension(".APF"))) << c.file;
    }
    // Text and image layout options do not apply.
    const RunResult r = Cli({"convert", cases[0].file, "--wide"});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("takes only -o and --fine"), std::string::npos) << r.err;
}

}  // namespace
}  // namespace vl::test
