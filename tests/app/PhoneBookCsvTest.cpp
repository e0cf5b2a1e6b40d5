#include "app/PhoneBookCsv.h"

#include <gtest/gtest.h>

#include "PhoneBookReading.h"

namespace vl::app {
namespace {

PhoneBookRows Read(std::string_view bytes) { return MustRead(ReadPhoneBookCsv, bytes); }

TEST(PhoneBookCsv, WrittenEntriesReadBackWithTheirLines) {
    const std::vector<PhoneBookEntry> entries = {
        {"Smith, \"Bob\" Jr.", "+1 555 0100", 2}, {"Ann\xC3\xA9" "e M\xC3\xBCller", "0049 30 1", 3},
        {"Two\nLines", "1,2", 4},                 {"Only Name", "", 6},
        {"", "555-0199", 7},                      {"Semi;colon", "\"quoted\"", 8},
    };
    EXPECT_EQ(Read(PhoneBookCsvText(entries)).entries, entries);
}

struct HeaderCase {
    const char* text;
    const char* name;
    const char* fax;
};

class PhoneBookCsvHeader : public testing::TestWithParam<HeaderCase> {};

TEST_P(PhoneBookCsvHeader, FindsNameAndNumber) {
    const PhoneBookRows rows = Read(GetParam().text);
    ASSERT_EQ(rows.entries.size(), 1u);
    EXPECT_EQ(rows.entries[0].name, GetParam().name);
    EXPECT_EQ(rows.entries[0].fax, GetParam().fax);
}

INSTANTIATE_TEST_SUITE_P(
    Aliases, PhoneBookCsvHeader,
    testing::Values(HeaderCase{"name,FAX\nAnn,1\n", "Ann", "1"},
                    HeaderCase{"E-mail, Display Name ,Fax Number\na@b,Ann B,2\n", "Ann B", "2"},
                    HeaderCase{"First Name,Middle Name,Last Name,Business Fax,Home Fax\nAnn,C.,Bell,,3\n",
                               "Ann C. Bell", "3"},
                    HeaderCase{"Given Name,Family Name,Phone\nAnn,Bell,4\n", "Ann Bell", "4"},
                    HeaderCase{"Full Name,Phone,Fax\nAnn,voice,5\n", "Ann", "5"},
                    HeaderCase{"Name,First Name,Fax\n,Ann,6\n", "Ann", "6"},
                    HeaderCase{"Company,Other Fax\nAcme,7\n", "Acme", "7"},
                    HeaderCase{"Name;Fax\n\"Bell, Ann\";8\n", "Bell, Ann", "8"},
                    HeaderCase{"Name\tFax\nAnn\t9\n", "Ann", "9"},
                    HeaderCase{"\xEF\xBB\xBFName,Fax\r\nAnn\xC3\xA9,10\r\n", "Ann\xC3\xA9", "10"},
                    HeaderCase{"Name,Fax\rAnn\xE9,11\r", "Ann\xC3\xA9", "11"}));

TEST(PhoneBookCsv, ReadsUtf16WithItsMark) {
    std::string utf16 = "\xFF\xFE";
    for (char c : std::string("Name,Fax\nZo")) utf16 += {c, '\0'};
    utf16 += std::string("\xEB\0,\0001\0002\0\n\0", 10);
    const PhoneBookRows rows = Read(utf16);
    ASSERT_EQ(rows.entries.size(), 1u);
    EXPECT_EQ(rows.entries[0], (PhoneBookEntry{"Zo\xC3\xAB", "12", 2}));
}

TEST(PhoneBookCsv, BadRowsAreSaidByLineAndTheRestKept) {
    const PhoneBookRows rows = Read(
        "Name,E-mail,Fax\n"
        "Ann,,1\n"
        ",,\n"
        "\n"
        ",only@mail,\n"
        "\"Bo\nb\",,2\n"
        ",,3\n"
        "Cy,,\"4\n");
    EXPECT_EQ(rows.entries, (std::vector<PhoneBookEntry>{{"Ann", "1", 2}, {"Bo\nb", "2", 6}, {"", "3", 8}}));
    EXPECT_EQ(rows.skipped,
              (std::vector<SkippedRow>{{5, "no name and no fax number"}, {9, "a quoted field is not closed"}}));
}

TEST(PhoneBookCsv, RefusesAFileWithoutAKnownColumn) {
    for (std::string_view text : {"E-mail,Notes\na@b,x\n", "Ann,555\n"})
        ExpectRefused(ReadPhoneBookCsv, text);
}

}  // namespace
}  // namespace vl::app
