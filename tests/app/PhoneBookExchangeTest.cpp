#include "app/PhoneBookExchange.h"

#include <gtest/gtest.h>

#include "app/PhoneBookCsv.h"
#include "base/ErrorCodes.h"
#include "store/FaxTables.h"
#include "support/TestSupport.h"

namespace vl::app {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;

PhoneBookExchangeReport Import(const TempDir& home, const std::string& file, PhoneBookFormat format) {
    PhoneBookExchangeReport report;
    EXPECT_EQ(ImportPhoneBook(home.folder(), file, format, report), base::ecOK) << report.error;
    return report;
}

std::string Exported(const TempDir& home, PhoneBookFormat format) {
    const std::string file = home.folder() + "out";
    PhoneBookExchangeReport report;
    EXPECT_EQ(ExportPhoneBook(home.folder(), file, format, report), base::ecOK) << report.error;
    return ReadFile(file);
}

TEST(PhoneBookExchange, StoresWhatFitsAndSaysWhatDoesNot) {
    TempDir home;
    const std::string name35(35, 'N');
    const std::string file = home.folder() + "in.csv";
    WriteFile(file, "Name,Fax\n"
                    "\"Zo\xC3\xAB, \"\"Ann\"\"\",1\n" + name35 + ",2\n" + name35 + "x,3\n"
                    "\xCE\xA9mega,4\n"
                    "Ann," + std::string(26, '5') + "\n"
                    ",\n"
                    "Bob,6\n"
                    "Bob,6\n");
    const PhoneBookExchangeReport report = Import(home, file, PhoneBookFormat::Csv);
    EXPECT_EQ(report.entries, 3);
    EXPECT_EQ(report.skipped,
              (std::vector<SkippedRow>{{4, "the name has 36 characters, more than the 35 the phone book holds"},
                                       {5, "the name holds a character the phone book cannot store"},
                                       {6, "the fax number has 26 characters, more than the 25 the phone book holds"},
                                       {9, "already in the phone book"}}));
    // Importing again adds nothing; every entry is said to be there already.
    EXPECT_EQ(Import(home, file, PhoneBookFormat::Csv).entries, 0);
    EXPECT_EQ(Exported(home, PhoneBookFormat::Csv), "Name,Fax\r\nBob,6\r\n" + name35 + ",2\r\n\"Zo\xC3\xAB, \"\"Ann\"\"\",1\r\n");
}

TEST(PhoneBookExchange, ExportLeavesOutDeletedEntriesAndReadsBackAsVCard) {
    TempDir home;
    {
        store::FaxTableOpenResult opened = store::OpenOrCreatePhoneBook(home.folder(), false);
        ASSERT_TRUE(opened.ok) << opened.error;
        for (const char* name : {"M\xC3\xBCller, J\xC3\xBCrgen", "Gone", "Able; Baker"}) {
            opened.table->AppendBlank();
            opened.table->SetText("NAME", name);
            opened.table->SetText("PHONE", "1");
            opened.table->Post();
        }
        opened.table->Go(2);
        opened.table->Delete();
        opened.table->Close();
    }
    const std::string file = home.folder() + "book.vcf";
    WriteFile(file, Exported(home, PhoneBookFormat::VCard));
    TempDir other;
    EXPECT_EQ(Import(other, file, PhoneBookFormat::VCard).entries, 2);
    EXPECT_EQ(Exported(other, PhoneBookFormat::Csv), "Name,Fax\r\nAble; Baker,1\r\n\"M\xC3\xBCller, J\xC3\xBCrgen\",1\r\n");
}

TEST(PhoneBookExchange, FailuresChangeNothingAndSayWhy) {
    TempDir home;
    PhoneBookExchangeReport report;
    EXPECT_EQ(ImportPhoneBook(home.folder(), home.folder() + "missing.csv", PhoneBookFormat::Csv, report),
              base::ecFileNotFound);
    WriteFile(home.folder() + "notes.vcf", "just notes\n");
    EXPECT_EQ(ImportPhoneBook(home.folder(), home.folder() + "notes.vcf", PhoneBookFormat::VCard, report),
              base::ecBadArgument);
    EXPECT_NE(report.error.find("notes.vcf"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(store::FaxTablePath(home.folder(), store::FaxTableKind::PhoneBook)));
    EXPECT_EQ(ExportPhoneBook(home.folder(), home.folder() + "no/such/folder.csv", PhoneBookFormat::Csv, report),
              base::ecFileNotFound);
}

}  // namespace
}  // namespace vl::app
