#include "app/FaxLists.h"

#include <gtest/gtest.h>

#include "FaxListFixture.h"
#include "store/FaxTables.h"

namespace vl::app {
namespace {

using Order = FaxLists::OutgoingOrder;

TEST_F(FaxListTest, OpeningCreatesBothTablesInDateOrderWithoutTheRebuildTag) {
    EXPECT_TRUE(Exists(folder + "VLOUT.DBF") && Exists(folder + "VLREC.DBF"));
    EXPECT_EQ(lists.GetOutgoingOrder(), Order::DateSent);
    EXPECT_EQ(lists.ListFilter(), ".not. archived");
    EXPECT_EQ(In().Filter(), ".not. archived");
    EXPECT_FALSE(lists.HasCurrent(FaxPage::Outgoing));
    EXPECT_TRUE(lists.NeedsIndexRebuild());

    lists.Close();
    EXPECT_EQ(lists.Outgoing(), nullptr);
    // A damaged outgoing table fails alone; the incoming one still opens.
    test::TempDir other;
    test::WriteFile(other.path() / "VLOUT.DBF", "not a table");
    const FaxLists::OpenResult result = lists.Open(other.folder());
    EXPECT_FALSE(result.outgoingOk);
    EXPECT_TRUE(result.incomingOk);
    EXPECT_EQ(lists.Outgoing(), nullptr);
}

TEST_F(FaxListTest, ShowArchivedAppliesToBothLists) {
    AddOut({"kept"});
    AddOut({"old", "", "", true});
    AddIn("A", "");
    AddIn("B", "", true);
    lists.ApplyListFilter();
    EXPECT_EQ(Listed(Out(), "SUBJECT"), std::vector<std::string>{"kept"});
    lists.SetShowArchived(true);
    EXPECT_TRUE(lists.ShowArchived());
    EXPECT_EQ(Listed(Out(), "SUBJECT").size(), 2u);
    EXPECT_EQ(Listed(In(), "FROM").size(), 2u);
    lists.SetShowArchived(false);
    EXPECT_EQ(lists.ListFilter(), ".not. ARCHIVED");
    EXPECT_EQ(Listed(In(), "FROM"), std::vector<std::string>{"A"});
    // The current record is one the list shows.
    EXPECT_TRUE(lists.HasCurrent(FaxPage::Incoming));
    EXPECT_EQ(In().Text("FROM"), "A");
}

TEST_F(FaxListTest, OrdersFollowTheListsContents) {
    lists.KeepOrders();
    EXPECT_EQ(lists.GetOutgoingOrder(), Order::Natural);
    EXPECT_EQ(lists.GetIncomingOrder(), FaxLists::IncomingOrder::Natural);
    AddOut({"never sent"});
    AddOut({"sent", "", "", false, "20240105"});
    AddIn("A", "");
    lists.KeepOrders();
    EXPECT_EQ(lists.GetOutgoingOrder(), Order::DateSent);
    EXPECT_EQ(Out().Text("SUBJECT"), "sent");  // newest first, and the first is current
    EXPECT_EQ(lists.GetIncomingOrder(), FaxLists::IncomingOrder::DateTime);
    lists.SetOutgoingOrder(Order::Subject);
    EXPECT_EQ(Listed(Out(), "SUBJECT"), (std::vector<std::string>{"never sent", "sent"}));
    lists.KeepOrders();
    EXPECT_EQ(lists.GetOutgoingOrder(), Order::Subject);
}

TEST_F(FaxListTest, ReloadKeepsOrderFilterAndCurrentRecord) {
    AddOut({"b"});
    const uint32_t a = AddOut({"a"});
    AddOut({"hidden", "", "", true});
    lists.SetOutgoingOrder(Order::Subject);
    Out().Go(a);
    ASSERT_TRUE(lists.ReloadOutgoing());
    EXPECT_EQ(Out().RecNo(), a);
    EXPECT_EQ(lists.GetOutgoingOrder(), Order::Subject);
    EXPECT_EQ(Listed(Out(), "SUBJECT"), (std::vector<std::string>{"a", "b"}));
    const uint32_t in = AddIn("Z", "");
    ASSERT_TRUE(lists.ReloadIncoming());
    EXPECT_EQ(In().RecNo(), in);
}

TEST_F(FaxListTest, TheRebuildTagOnBothTablesEndsTheRebuild) {
    store::BuildFaxTags(Out(), store::OutgoingTableDef(), true);
    EXPECT_TRUE(lists.NeedsIndexRebuild());
    store::BuildFaxTags(In(), store::IncomingTableDef(), true);
    EXPECT_FALSE(lists.NeedsIndexRebuild());
}

}  // namespace
}  // namespace vl::app
