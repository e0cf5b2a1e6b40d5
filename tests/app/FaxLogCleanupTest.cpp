#include "app/FaxLogCleanup.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "FaxListFixture.h"
#include "app/FaxFolderFiles.h"

namespace vl::app {
namespace {

using store::CleanupPage;
using Subjects = std::set<std::string>;

// Four outgoing and three incoming faxes with their files, and the cleanup
// working on the open lists' tables.
class FaxLogCleanupTest : public FaxListTest {
protected:
    FaxLogCleanupTest() {
        AddOutFor({"Ann 1", "FAX00001.APF", "COV00001.APF", false, "20240301"}, "Ann", "555 0100");
        AddOutFor({"Bob 2", "FAX00002.APF", "", false, ""}, "Bob", "555 0142");
        AddOutFor({"Carol 3", "", "COV00003.APF", true, "20231215"}, "Carol", "555 0177");
        AddOutFor({"Annette 4", "FAX00004.APF", "", false, "20240401"}, "Annette", "555 0199");
        AddInOn("20240101", "Acme Corp", "IN00001.APF", false);
        AddInOn("20240301", "acme", "IN00002.APF", true);
        AddInOn("20240601", "Zeta Ltd", "IN00003.APF", false);
        lists.SetShowArchived(true);
    }

    void AddOutFor(const OutFax& fax, const std::string& recipient, const std::string& phone) {
        AddOut(fax);
        Out().SetText("RECIPIENT", recipient);
        Out().SetText("PHONE", phone);
        Out().Post();
        for (const std::string& file : {fax.doc, fax.cover})
            if (!file.empty()) test::WriteFile(Send(file), file);
        if (!fax.cover.empty()) test::WriteFile(Send(CoverDataName(fax.cover)), "cover data");
    }

    void AddInOn(const std::string& date, const std::string& from, const std::string& file, bool archived) {
        AddIn(from, file, archived);
        In().SetDate("DATEREC", date);
        In().Post();
        test::WriteFile(Receive(file), file);
    }

    // The subjects (outgoing) or senders (incoming) still listed.
    Subjects Left(CleanupPage page) {
        const auto values = page == CleanupPage::Outgoing ? Listed(Out(), "SUBJECT") : Listed(In(), "FROM");
        return {values.begin(), values.end()};
    }

    FaxLogCleanup cleanup{folder};
};

using store::MatchChoice;

std::string Condition(MatchChoice choice, const std::string& typed, bool exact) {
    std::string error;
    return store::MatchCondition(choice, typed, exact, error);
}

struct Case {
    const char* name;
    CleanupPage page;
    std::string condition;
    Subjects left;
};

class FaxLogConditionTest : public FaxLogCleanupTest, public ::testing::WithParamInterface<Case> {};

// Which files each fax owns.
const std::map<std::string, std::vector<std::string>>& FilesOf() {
    static const std::map<std::string, std::vector<std::string>> files = {
        {"Ann 1", {"SEND/FAX00001.APF", "SEND/COV00001.APF", "SEND/COV00001.fcd"}},
        {"Bob 2", {"SEND/FAX00002.APF"}},
        {"Carol 3", {"SEND/COV00003.APF", "SEND/COV00003.fcd"}},
        {"Annette 4", {"SEND/FAX00004.APF"}},
        {"Acme Corp", {"RECEIVE/IN00001.APF"}},
        {"acme", {"RECEIVE/IN00002.APF"}},
        {"Zeta Ltd", {"RECEIVE/IN00003.APF"}},
    };
    return files;
}

TEST_P(FaxLogConditionTest, DeletesExactlyItsFaxesAndTheirFiles) {
    const Case& c = GetParam();
    store::Table& table = c.page == CleanupPage::Outgoing ? Out() : In();
    const Subjects before = Left(c.page);
    const int count = cleanup.DeleteMatching(table, c.page, c.condition);
    EXPECT_EQ(Left(c.page), c.left);
    EXPECT_EQ(count, static_cast<int>(before.size() - c.left.size()));
    EXPECT_EQ(cleanup.DeletedAnything(), count > 0);
    for (const std::string& fax : before)
        for (const std::string& file : FilesOf().at(fax))
            EXPECT_EQ(Exists(folder + file), c.left.count(fax) == 1) << file;
    // A second pass finds the marked records already gone.
    EXPECT_EQ(cleanup.DeleteMatching(table, c.page, c.condition), 0);
}

const std::chrono::year_month_day kMid{std::chrono::year{2024} / 3 / 15};

INSTANTIATE_TEST_SUITE_P(
    Conditions, FaxLogConditionTest,
    ::testing::Values(
        // Never-sent faxes have no date and are never "before" one.
        Case{"BeforeADate", CleanupPage::Outgoing, store::BeforeDateCondition(CleanupPage::Outgoing, kMid),
             {"Bob 2", "Annette 4"}},
        Case{"Archived", CleanupPage::Outgoing, std::string(store::kArchivedCondition),
             {"Ann 1", "Bob 2", "Annette 4"}},
        Case{"Sent", CleanupPage::Outgoing, std::string(store::kSentCondition), {"Bob 2"}},
        Case{"NotSent", CleanupPage::Outgoing, std::string(store::kNotSentCondition),
             {"Ann 1", "Carol 3", "Annette 4"}},
        Case{"All", CleanupPage::Outgoing, std::string(store::kAllFaxesCondition), {}},
        Case{"RecipientExact", CleanupPage::Outgoing, Condition(MatchChoice::Recipient, " ann ", true),
             {"Bob 2", "Carol 3", "Annette 4"}},
        Case{"RecipientPartial", CleanupPage::Outgoing, Condition(MatchChoice::Recipient, "ann", false),
             {"Bob 2", "Carol 3"}},
        Case{"FaxNumberPartial", CleanupPage::Outgoing, Condition(MatchChoice::FaxNumber, "0199", false),
             {"Ann 1", "Bob 2", "Carol 3"}},
        Case{"FaxNumberExactWantsAllOfIt", CleanupPage::Outgoing, Condition(MatchChoice::FaxNumber, "0199", true),
             {"Ann 1", "Bob 2", "Carol 3", "Annette 4"}},
        Case{"ReceivedBeforeADate", CleanupPage::Incoming, store::BeforeDateCondition(CleanupPage::Incoming, kMid),
             {"Zeta Ltd"}},
        Case{"ReceivedArchived", CleanupPage::Incoming, "ARCHIVED", {"Acme Corp", "Zeta Ltd"}},
        Case{"FromExact", CleanupPage::Incoming, Condition(MatchChoice::From, "ACME", true), {"Acme Corp", "Zeta Ltd"}},
        Case{"FromPartial", CleanupPage::Incoming, Condition(MatchChoice::From, "acme", false), {"Zeta Ltd"}},
        Case{"Blank", CleanupPage::Incoming, "  ", {"Acme Corp", "acme", "Zeta Ltd"}}),
    [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

TEST_F(FaxLogCleanupTest, APassLeavesOrderPositionAndHiddenDeletedRecordsAsTheyWere) {
    Out().SetOrder(Out().TagNumber("SUBJECT"));
    Out().GoTop();
    Out().Skip(1);
    const uint32_t current = Out().RecNo();
    EXPECT_EQ(cleanup.Matching(Out(), "ARCHIVED"), (std::vector<uint32_t>{3}));
    EXPECT_EQ(cleanup.DeleteMatching(Out(), CleanupPage::Outgoing, ".not. EMPTY(DATESENT)"), 3);
    EXPECT_EQ(Out().Order(), Out().TagNumber("SUBJECT"));
    EXPECT_EQ(Out().RecNo(), current);
    EXPECT_FALSE(Out().ShowDeleted());
    EXPECT_TRUE(cleanup.Matching(Out(), "ARCHIVED").empty());
    // A condition the table cannot evaluate stops the pass but not the restoring.
    EXPECT_THROW(cleanup.DeleteMatching(Out(), CleanupPage::Outgoing, "NOSUCHFIELD"), store::EStoreError);
    EXPECT_FALSE(Out().ShowDeleted());
    EXPECT_EQ(Out().Order(), Out().TagNumber("SUBJECT"));
}

TEST_F(FaxLogCleanupTest, DeletingTheCurrentFaxMovesToTheOneAfterIt) {
    In().SetOrder(0);
    In().GoTop();
    cleanup.DeleteCurrent(In(), CleanupPage::Incoming);
    EXPECT_EQ(In().RecNo(), 2u);
    EXPECT_FALSE(Exists(Receive("IN00001.APF")));
    In().GoBottom();
    cleanup.DeleteCurrent(In(), CleanupPage::Incoming);
    EXPECT_TRUE(In().Eof());
    EXPECT_EQ(Left(CleanupPage::Incoming), (Subjects{"acme"}));
}

}  // namespace
}  // namespace vl::app
