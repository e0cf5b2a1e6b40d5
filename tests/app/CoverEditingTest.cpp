// Writing a cover sheet for a new fax or the current one: the page, the
// record and the cover data file, edited again under the same name, and
// nothing left behind when the table cannot take the fax.
#include <gtest/gtest.h>

#include "FaxListFixture.h"
#include "app/CoverData.h"
#include "support/FileSizeLimit.h"

namespace vl::app {
namespace {

using test::ReadFile;
using test::WriteFile;

class CoverEditingTest : public FaxListTest {
protected:
    CoverEditingTest() { settings.LastUsedCoversheetTemplate = "vl0002.fct"; }

    // The user fills in the editor's entries over what it showed.
    void UserEnters(const std::string& recipient, const std::string& flags, std::vector<std::string> message)
    {
        user.coverResult = [=](const CoverEntry& shown) {
            CoverEntry entry = shown;
            entry.info.recipient = recipient;
            entry.info.phone = "555 0199";
            entry.info.subject = "Order 5512";
            entry.flags = ParseFlags(flags);
            entry.messageLines = message;
            return entry;
        };
    }

    Settings settings;
};

TEST_F(CoverEditingTest, ANewCoverTakesTheFirstFreeNumberAndIsFoundAgainByItsEditor)
{
    WriteFile(Send("COV00000.APF"), "taken");
    UserEnters("Ann Lee", "X  X ", {"Dear Ann,", "", "see below."});
    ops.EditCover(true, settings);
    EXPECT_EQ(user.coverShown.templateName, "vl0002.fct");
    EXPECT_TRUE(user.coverShown.info.recipient.empty());
    ASSERT_EQ(Listed(Out(), "FAXCOVER"), std::vector<std::string>{"COV00001.APF"});
    EXPECT_EQ(Out().Text("RECIPIENT"), "Ann Lee");
    EXPECT_EQ(Out().Text("FAXDOC"), "");
    EXPECT_GT(std::filesystem::file_size(Send("COV00001.APF")), 100u);
    EXPECT_FALSE(Exists(Send("COV00001.APF.new")));
    EXPECT_EQ(ReadCoverData(Send("COV00001.fcd")),
              (CoverData{"vl0002.fct", "X  X ", {"Dear Ann,", "", "see below."}}));

    // Edited again: the editor shows what was saved; the page keeps its name.
    settings.LastUsedCoversheetTemplate = "vl0009.fct";
    UserEnters("Ann Lee-Smith", "     ", {"Changed."});
    ops.EditCover(false, settings);
    EXPECT_EQ(user.coverShown.templateName, "vl0002.fct");
    EXPECT_EQ(user.coverShown.flags, ParseFlags("X  X "));
    EXPECT_EQ(user.coverShown.messageLines, (std::vector<std::string>{"Dear Ann,", "", "see below."}));
    EXPECT_EQ(user.coverShown.info.recipient, "Ann Lee");
    EXPECT_EQ(Listed(Out(), "FAXCOVER"), std::vector<std::string>{"COV00001.APF"});
    EXPECT_EQ(Out().Text("RECIPIENT"), "Ann Lee-Smith");
    EXPECT_EQ(ReadCoverData(Send("COV00001.fcd"))->messageLines, std::vector<std::string>{"Changed."});
    EXPECT_EQ(settings.LastUsedCoversheetTemplate, "vl0009.fct");
}

TEST_F(CoverEditingTest, AFlagsLineOfAnotherLengthTicksNothing)
{
    AddOut({"with cover", "FAX00001.APF", "COV00004.APF"});
    WriteFile(Send("COV00004.APF"), "page");
    WriteFile(Send("COV00004.FCD"), "vl0003.fct\r\nXXXX\r\nline\r\n");
    user.editorOk = false;
    ops.EditCover(false, settings);
    EXPECT_EQ(user.coverShown.templateName, "vl0003.fct");
    EXPECT_EQ(user.coverShown.flags, ImportanceFlags{});
    EXPECT_EQ(user.coverShown.messageLines, std::vector<std::string>{"line"});
    EXPECT_EQ(ReadFile(Send("COV00004.APF")), "page");
}

TEST_F(CoverEditingTest, ATableThatCannotTakeTheNewFaxLeavesNoPageBehind)
{
    // A table larger than a cover page, so that the page can be written and
    // the added record cannot.
    for (int i = 0; i < 200; ++i)
        AddOut({"fax " + std::to_string(i), "FAX00001.APF"});
    UserEnters("Someone Else", "X    ", {"text"});
    {
        test::FileSizeLimit limit(std::filesystem::file_size(folder + "VLOUT.DBF"));
        try {
            ops.EditCover(true, settings);
            ADD_FAILURE() << "no error";
        } catch (const std::exception& e) {
            // The table's error, not the page's.
            EXPECT_NE(std::string(e.what()).find("VLOUT"), std::string::npos) << e.what();
        }
    }
    // Closing the table writes nothing of the fax that could not be added.
    lists.ReloadOutgoing();
    EXPECT_EQ(Out().RecCount(), 200u);
    for (const char* left : {"COV00000.APF", "COV00000.APF.new", "COV00000.fcd"})
        EXPECT_FALSE(Exists(Send(left))) << left;
}

}  // namespace
}  // namespace vl::app
