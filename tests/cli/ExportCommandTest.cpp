#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <regex>
#include <string>

#include "support/TestSupport.h"

namespace vl::test {
namespace {

void Put(std::string& s, std::size_t at, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) s[at + static_cast<std::size_t>(i)] = static_cast<char>(value >> (8 * i));
}

std::string Record(const std::string& bytes) {
    std::string r(2, '\0');
    Put(r, 0, static_cast<std::uint32_t>(bytes.size()), 2);
    return r + bytes;
}

const std::string kBlank = Record(std::string("\x00\x80\xB2\x59\x01\x00", 6));
const std::string kBlack = Record(std::string("\x00\x80\xAC\xC0\x14\x76\x00", 7));  // 1728 black pixels
const std::string kEnd = Record(std::string("\x00\x80\x00\x08\x80\x00\x08\x80\x00\x08\x80\x00", 12));

std::string Page(std::uint16_t flags, const std::string& data) {
    std::string h(16, '\0');
    Put(h, 0, static_cast<std::uint32_t>(data.size()), 4);
    Put(h, 4, flags, 2);
    return h + data;
}

// Page 1: normal resolution, blank / black / blank; page 2: fine, one black line.
std::string TwoPageFile() {
    std::string h = std::string("APF10\x1A", 6) + std::string(58, '\0');
    Put(h, 32, 2, 2);
    Put(h, 34, 64, 4);
    return h + Page(4, kBlank + kBlack + kBlank + kEnd) + Page(5, kBlack + kEnd);
}

std::string PbmRows(const std::string& bits) {
    std::string rows;
    for (char c : bits) rows += std::string(216, c == '1' ? '\xFF' : '\0');
    return rows;
}

TEST(ExportCommand, WritesThePageBesideTheFaxFile) {
    TempDir home;
    const std::string fax = home.folder() + "FAX00001.APF";
    WriteFile(fax, TwoPageFile());
    RunResult r = RunCli(home.folder(), {"export", fax, "--format", "pbm"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, home.folder() + "FAX00001.PBM\n");
    EXPECT_EQ(ReadFile(home.folder() + "FAX00001.PBM"), "P4\n1728 6\n" + PbmRows("001100"));

    r = RunCli(home.folder(), {"export", fax, "--format", "PBM", "--no-aspect", "-o", home.folder() + "one.pbm"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ReadFile(home.folder() + "one.pbm"), "P4\n1728 3\n" + PbmRows("010"));
}

TEST(ExportCommand, EachFormatOfAChosenPage) {
    TempDir home;
    const std::string fax = home.folder() + "F.APF";
    WriteFile(fax, TwoPageFile());
    ASSERT_EQ(RunCli(home.folder(), {"export", fax, "--page", "2", "--format", "bmp", "-o", home.folder() + "p2"}).status,
              0);
    const std::string bmp = ReadFile(home.folder() + "p2.BMP");
    EXPECT_EQ(bmp.substr(0, 2), "BM");
    EXPECT_EQ(bmp.size(), 62u + 216u);  // one fine line, not doubled
    ASSERT_EQ(RunCli(home.folder(), {"export", fax, "--format", "dcx"}).status, 0);
    EXPECT_EQ(ReadFile(home.folder() + "F.DCX").substr(0, 4), "\xB1\x68\xDE\x3A");
    ASSERT_EQ(RunCli(home.folder(), {"export", fax, "--format", "pcx"}).status, 0);
    EXPECT_EQ(ReadFile(home.folder() + "F.PCX")[0], 10);

    const RunResult png = RunCli(home.folder(), {"export", fax, "--page", "1", "--format", "png"});
    ASSERT_EQ(png.status, 0) << png.err;
    EXPECT_EQ(png.out, home.folder() + "F.PNG\n");
    const RunResult pnm = test::Run("/usr/bin/pngtopnm", {home.folder() + "F.PNG"});
    ASSERT_EQ(pnm.status, 0) << pnm.err;
    // A black-and-white palette comes back as grey levels 0 and 255.
    std::string grey;
    for (char c : std::string("001100")) grey += std::string(1728, c == '1' ? '\0' : '\xFF');
    EXPECT_EQ(pnm.out, "P5\n1728 6\n255\n" + grey);
}

TEST(ExportCommand, FailuresAreReportedWithTheirText) {
    TempDir home;
    const std::string fax = home.folder() + "F.APF";
    WriteFile(fax, TwoPageFile());
    RunResult r = RunCli(home.folder(), {"export", fax, "--page", "3", "--format", "pbm"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("File is not an APF file"), std::string::npos) << r.err;
    r = RunCli(home.folder(), {"export", home.folder() + "none.APF", "--format", "pbm"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("File not found"), std::string::npos) << r.err;
    WriteFile(home.folder() + "text.APF", "not a fax file at all, but long enough for a header.............");
    EXPECT_EQ(RunCli(home.folder(), {"export", home.folder() + "text.APF", "--format", "pbm"}).status, 1);
    EXPECT_FALSE(std::filesystem::exists(home.folder() + "text.PBM"));

    EXPECT_EQ(RunCli(home.folder(), {"export", fax, "--format", "gif"}).status, 2);
    EXPECT_EQ(RunCli(home.folder(), {"export", fax}).status, 2);
    EXPECT_EQ(RunCli(home.folder(), {"export", fax, "--format", "pbm", "--page", "0"}).status, 2);
    EXPECT_EQ(RunCli(home.folder(), {"export", "--format", "pbm"}).status, 2);
}

TEST(ExportCommand, EveryPageIntoOnePdfOrTiff) {
    TempDir home;
    const std::string fax = home.folder() + "F.APF";
    WriteFile(fax, TwoPageFile());
    RunResult r = RunCli(home.folder(), {"export", fax, "--format", "pdf"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, home.folder() + "F.PDF\n");
    const RunResult pdf = test::Run("/usr/bin/pdfinfo", {"-f", "1", "-l", "2", home.folder() + "F.PDF"});
    EXPECT_TRUE(std::regex_search(pdf.out, std::regex("Pages:\\s+2\\n"))) << pdf.out << pdf.err;
    // Three normal lines, then one fine line: no page is doubled.
    EXPECT_TRUE(std::regex_search(pdf.out, std::regex("Page\\s+1 size:\\s+609\\.88[0-9]* x 2\\.20"))) << pdf.out;
    EXPECT_TRUE(std::regex_search(pdf.out, std::regex("Page\\s+2 size:\\s+609\\.88[0-9]* x 0\\.36"))) << pdf.out;

    r = RunCli(home.folder(), {"export", fax, "--format", "TIFF", "-o", home.folder() + "both"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, home.folder() + "both.TIF\n");
    const RunResult pnm = test::Run("/usr/bin/tifftopnm", {home.folder() + "both.TIF"});
    ASSERT_EQ(pnm.status, 0) << pnm.err;
    EXPECT_EQ(pnm.out, "P4\n1728 3\n" + PbmRows("010") + "P4\n1728 1\n" + PbmRows("1"));
}

TEST(ExportCommand, PdfAndTiffRefuseAPageOrAspectChoiceAndDamage) {
    TempDir home;
    const std::string fax = home.folder() + "F.APF";
    WriteFile(fax, TwoPageFile());
    for (const char* format : {"pdf", "tiff"}) {
        RunResult r = RunCli(home.folder(), {"export", fax, "--format", format, "--page", "2"});
        EXPECT_EQ(r.status, 2);
        EXPECT_NE(r.err.find("every page"), std::string::npos) << r.err;
        EXPECT_EQ(RunCli(home.folder(), {"export", fax, "--no-aspect", "--format", format}).status, 2);
    }
    const std::string whole = TwoPageFile();
    WriteFile(fax, whole.substr(0, whole.size() - 5));
    const RunResult cut = RunCli(home.folder(), {"export", fax, "--format", "pdf"});
    EXPECT_EQ(cut.status, 1);
    EXPECT_NE(cut.err.find("File is not an APF file"), std::string::npos) << cut.err;
    EXPECT_FALSE(std::filesystem::exists(home.folder() + "F.PDF"));
    EXPECT_FALSE(std::filesystem::exists(home.folder() + "F.TIF"));
}

}  // namespace
}  // namespace vl::test
