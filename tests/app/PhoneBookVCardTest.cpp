#include "app/PhoneBookVCard.h"

#include <gtest/gtest.h>

#include "app/TextFiles.h"
#include "PhoneBookReading.h"

namespace vl::app {
namespace {

PhoneBookRows Read(std::string_view bytes) { return MustRead(ReadPhoneBookVCard, bytes); }

TEST(PhoneBookVCard, WrittenCardsReadBackAndStayWithinTheLineWidth) {
    const std::string longName = "Soci\xC3\xA9t\xC3\xA9 G\xC3\xA9n\xC3\xA9rale \xC3\xA9l\xC3\xA9" "ctrique d'\xC3\x89" "chirolles, "
                                 "\xC3\xA9tablissement \xC3\xA0 \xC3\xA9tages";
    const std::vector<PhoneBookEntry> entries = {
        {"Smith, \"Bob\"; Jr.", "+1 555 0100", 1}, {"Back\\slash", "0049 (30) 1", 7},
        {"Two\nLines", "1;2", 13},                 {longName, "", 19},
        {"", "555", 26},
    };
    const std::string text = PhoneBookVCardText(entries);
    EXPECT_EQ(Read(text).entries, entries);
    for (const std::string& line : SplitTextLines(text)) EXPECT_LE(line.size(), 75u) << line;
    EXPECT_EQ(text.find("\n\n"), std::string::npos);
    EXPECT_NE(text.find("VERSION:3.0\r\n"), std::string::npos);
}

struct CardCase {
    const char* what;
    const char* card;  // between BEGIN:VCARD and END:VCARD
    const char* name;
    const char* fax;
};

class PhoneBookVCardRead : public testing::TestWithParam<CardCase> {};

TEST_P(PhoneBookVCardRead, FindsNameAndFaxNumber) {
    const PhoneBookRows rows = Read(std::string("BEGIN:VCARD\r\n") + GetParam().card + "END:VCARD\r\n");
    ASSERT_EQ(rows.entries.size(), 1u) << GetParam().what;
    EXPECT_EQ(rows.entries[0].name, GetParam().name) << GetParam().what;
    EXPECT_EQ(rows.entries[0].fax, GetParam().fax) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Exports, PhoneBookVCardRead,
    testing::Values(
        CardCase{"fax among several numbers", "VERSION:3.0\nFN:Ann\nTEL;TYPE=CELL:1\nTEL;TYPE=HOME,FAX:2\n"
                 "TEL;TYPE=WORK;TYPE=FAX:3\nTEL;TYPE=FAX:4\n", "Ann", "3"},
        CardCase{"2.1 bare types", "VERSION:2.1\nFN:Ann\nTEL;WORK;VOICE:1\nTEL;HOME;FAX:2\n", "Ann", "2"},
        CardCase{"4.0 uri", "VERSION:4.0\nFN:Ann\nTEL;VALUE=uri;TYPE=\"voice\":tel:+1\n"
                 "TEL;VALUE=uri;TYPE=\"work,fax\":tel:+44-20\n", "Ann", "+44-20"},
        CardCase{"no fax: the first number", "FN:Ann\nTEL:\nTEL;TYPE=CELL:5\nTEL:6\n", "Ann", "5"},
        CardCase{"group prefix", "item1.FN:Ann\nitem2.TEL;type=fax:7\n", "Ann", "7"},
        CardCase{"escapes", "FN:\\;Bell\\, Ann;A\\\\B\\nC\nTEL;FAX:8\n", ";Bell, Ann;A\\B\nC", "8"},
        CardCase{"folded with blank and tab", "FN:An\r\n n\r\n\tie\nTEL;FAX:9\n", "Annie", "9"},
        CardCase{"quoted-printable Latin-1", "N;CHARSET=ISO-8859-1;ENCODING=QUOTED-PRINTABLE:M=FCller;J=FCrgen;;Dr.;\n",
                 "Dr. J\xC3\xBCrgen M\xC3\xBCller", ""},
        CardCase{"quoted-printable UTF-8, soft break",
                 "FN;CHARSET=UTF-8;QUOTED-PRINTABLE:Zo=C3=AB =\n=C3=89mile=3D\nTEL;FAX:10\n",
                 "Zo\xC3\xAB \xC3\x89mile=", "10"},
        CardCase{"N alone", "N:Bell;Ann;C.;;\n", "Ann C. Bell", ""},
        CardCase{"ORG alone", "ORG:Acme\\, Inc.;Sales\nTEL;FAX:11\n", "Acme, Inc.", "11"},
        CardCase{"agent card inside", "FN:Ann\nAGENT:\nBEGIN:VCARD\nFN:Bob\nTEL;FAX:1\nEND:VCARD\nTEL;FAX:12\n",
                 "Ann", "12"}));

TEST(PhoneBookVCard, BadCardsAreSaidByTheLineOfTheirBegin) {
    const PhoneBookRows rows = Read(
        "BEGIN:VCARD\nFN:Ann\nTEL;FAX:1\nEND:VCARD\n"
        "\n"
        "BEGIN:VCARD\nEMAIL:a@b\nEND:VCARD\n"
        "begin:vcard\nfn:Bob\nend:vcard\n"
        "BEGIN:VCARD\nFN:Cy\n");
    EXPECT_EQ(rows.entries, (std::vector<PhoneBookEntry>{{"Ann", "1", 1}, {"Bob", "", 9}}));
    EXPECT_EQ(rows.skipped,
              (std::vector<SkippedRow>{{6, "no name and no fax number"}, {12, "the card has no END:VCARD"}}));
}

TEST(PhoneBookVCard, AnEmptyPhoneBookReadsBackEmpty) {
    EXPECT_EQ(PhoneBookVCardText({}), "");
    EXPECT_TRUE(Read("\xEF\xBB\xBF \r\n").entries.empty());
}

TEST(PhoneBookVCard, RefusesAFileWithoutACard) {
    for (std::string_view text : {"Name,Fax\nAnn,1\n", "FN:Ann\nTEL:1\n"})
        ExpectRefused(ReadPhoneBookVCard, text);
}

}  // namespace
}  // namespace vl::app
