#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "support/TestSupport.h"

namespace vl::test {
namespace {

void Put(std::string& s, std::size_t at, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) s[at + static_cast<std::size_t>(i)] = static_cast<char>(value >> (8 * i));
}

// A file header of the given station ID, packed date and page count, with the
// first page at 64.
std::string FileHeader(const std::string& id, std::uint32_t dateTime, std::uint16_t pages) {
    std::string h = std::string("APF10\x1A", 6) + std::string(58, '\0');
    Put(h, 6, dateTime, 4);
    h[10] = static_cast<char>(id.size());
    h.replace(11, 20, (id + std::string(20, ' ')).substr(0, 20));
    Put(h, 32, pages, 2);
    Put(h, 34, 64, 4);
    return h;
}

std::string Page(std::uint16_t flags, const std::string& data) {
    std::string h(16, '\0');
    Put(h, 0, static_cast<std::uint32_t>(data.size()), 4);
    Put(h, 4, flags, 2);
    return h + data;
}

const std::uint32_t kDate = (46u << 25 | 12u << 21 | 7u << 16) | (13u << 11 | 45u << 5 | 29u);

TEST(InfoCommand, ShowsHeaderAndEveryPage) {
    TempDir home;
    const std::string file = home.folder() + "FAX00001.APF";
    WriteFile(file, FileHeader("+49 \"30\"", kDate, 2) + Page(5, std::string(14, 'x')) + Page(2, "abc"));
    RunResult r = RunCli(home.folder(), {"info", file});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "Station ID: +49 \"30\"\n"
              "Date: 2026-12-07 13:45:58\n"
              "Pages: 2\n"
              "Page 1: fine, normal width (1728), line records, image length 14\n"
              "Page 2: normal, wide (2048), raw stream, image length 3\n");
    r = RunCli(home.folder(), {"info", file, "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "{\"station_id\":\"+49 \\\"30\\\"\",\"date_time\":\"2026-12-07T13:45:58\",\"page_count\":2,\"pages\":["
              "{\"page\":1,\"fine\":true,\"wide\":false,\"line_records\":true,\"image_length\":14},"
              "{\"page\":2,\"fine\":false,\"wide\":true,\"line_records\":false,\"image_length\":3}]}\n");
}

TEST(InfoCommand, NoDateAndNoPages) {
    TempDir home;
    const std::string file = home.folder() + "EMPTY.APF";
    WriteFile(file, FileHeader(std::string("\x01\xE9", 2), 0, 0));
    RunResult r = RunCli(home.folder(), {"info", file, "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "{\"station_id\":\"\\u0001\\u00e9\",\"date_time\":null,\"page_count\":0,\"pages\":[]}\n");
    r = RunCli(home.folder(), {"info", file});
    EXPECT_NE(r.out.find("Date: none\n"), std::string::npos);
}

TEST(InfoCommand, BadFilesGiveTheirMessageAndStatus1) {
    TempDir home;
    const std::string notApf = home.folder() + "NOT.APF";
    WriteFile(notApf, "APF10 and no end-of-file mark, long enough for a header but not an APF file at all...");
    RunResult r = RunCli(home.folder(), {"info", notApf});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("File is not an APF file"), std::string::npos) << r.err;

    const std::string lying = home.folder() + "LYING.APF";
    WriteFile(lying, FileHeader("X", 0, 3) + Page(4, "ab"));
    r = RunCli(home.folder(), {"info", lying, "--json"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("File is not an APF file"), std::string::npos) << r.err;

    r = RunCli(home.folder(), {"info", home.folder() + "MISSING.APF"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("File not found"), std::string::npos) << r.err;

    EXPECT_EQ(RunCli(home.folder(), {"info"}).status, 2);
    EXPECT_EQ(RunCli(home.folder(), {"info", notApf, "--xml"}).status, 2);
}

}  // namespace
}  // namespace vl::test
