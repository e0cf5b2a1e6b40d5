#include "store/FaxTables.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "store/FaxTableFixture.h"

namespace vl::store {
namespace {

using test::AddIn;
using test::AddName;
using test::AddOut;
using test::Column;
using test::MustOpen;
using test::TagNames;
using test::TempDir;

using Names = std::vector<std::string>;

TEST(FaxTablesTest, OpenOrCreateMakesEachTableWithItsFieldsAndTagsButNotDatend) {
    TempDir dir;
    const std::string folder = dir.folder();
    auto out = MustOpen(OpenOrCreateOutgoing(folder, std::string(kHideArchivedAtStart)));
    auto in = MustOpen(OpenOrCreateIncoming(folder));
    auto pb = MustOpen(OpenOrCreatePhoneBook(folder, false));
    for (const char* file : {"VLOUT.DBF", "VLOUT.CDX", "VLREC.DBF", "VLREC.CDX", "VLPB.DBF", "VLPB.CDX"})
        EXPECT_TRUE(std::filesystem::exists(folder + file)) << file;

    const struct {
        Table& table;
        FaxTableKind kind;
        Names tags;
    } cases[] = {
        {*out, FaxTableKind::Outgoing, {"DATESENT", "SUBJECT", "RECIPIENT", "CODES", "ARCHIVED"}},
        {*in, FaxTableKind::Incoming, {"DATETIME", "FROM", "ARCHIVED"}},
        {*pb, FaxTableKind::PhoneBook, {"NAME"}},
    };
    for (const auto& c : cases) {
        const FaxTableDef& def = FaxTableDefinition(c.kind);
        ASSERT_EQ(c.table.Layout().Fields().size(), def.fields.size());
        for (size_t i = 0; i < def.fields.size(); ++i) {
            const FieldDef& got = c.table.Layout().Fields()[i];
            EXPECT_EQ(got.name, def.fields[i].name);
            EXPECT_EQ(got.type, def.fields[i].type);
            EXPECT_EQ(got.width, def.fields[i].width);
        }
        EXPECT_EQ(TagNames(c.table), c.tags) << def.fileName;
        for (const TagInfo& tag : c.table.Tags()) EXPECT_EQ(tag.condition, kNotDeletedCondition);
    }
    // The state each table is left in for its user.
    EXPECT_EQ(out->Order(), 0);
    EXPECT_EQ(out->Filter(), kHideArchivedAtStart);
    EXPECT_EQ(in->Filter(), kNotDeletedCondition);
    EXPECT_EQ(pb->Order(), pb->TagNumber("NAME"));
    EXPECT_EQ(pb->Filter(), kNotDeletedCondition);
    EXPECT_EQ(IndexPathOf(FaxTablePath(folder, FaxTableKind::Outgoing)), folder + "VLOUT.CDX");
}

TEST(FaxTablesTest, ReopenKeepsRecordsAndTags) {
    TempDir dir;
    {
        auto out = MustOpen(OpenOrCreateOutgoing(dir.folder(), ""));
        AddOut(*out, {"first", "20240105", "10:00"});
        out->Close();
    }
    const std::string cdx = test::ReadFile(dir.folder() + "VLOUT.CDX");
    auto out = MustOpen(OpenOrCreateOutgoing(dir.folder(), ""));
    ASSERT_EQ(out->RecCount(), 1u);
    EXPECT_EQ(out->RecNo(), 1u);  // the first record is current
    EXPECT_EQ(out->Text("SUBJECT"), "first");
    EXPECT_EQ(TagNames(*out).size(), 5u);
    out->Close();
    EXPECT_EQ(test::ReadFile(dir.folder() + "VLOUT.CDX"), cdx);  // nothing rebuilt
}

TEST(FaxTablesTest, TablesCopiedWithOtherLetterCaseAreFoundWithTheirIndexes) {
    TempDir dir;
    {
        auto out = MustOpen(OpenOrCreateOutgoing(dir.folder(), ""));
        AddOut(*out, {"kept", "20240105", "10:00"});
        out->Close();
        auto in = MustOpen(OpenOrCreateIncoming(dir.folder()));
        AddIn(*in, "20240106", "11:00", "Far");
        in->Close();
    }
    const auto rename = [&](const std::string& from, const std::string& to) {
        std::filesystem::rename(dir.folder() + from, dir.folder() + to);
    };
    rename("VLOUT.DBF", "vlout.dbf");
    rename("VLOUT.CDX", "vlout.cdx");
    rename("VLREC.DBF", "VlRec.Dbf");
    rename("VLREC.CDX", "vlrec.CDX");
    EXPECT_EQ(FaxTablePath(dir.folder(), FaxTableKind::Outgoing), dir.folder() + "vlout.dbf");
    EXPECT_EQ(IndexPathOf(FaxTablePath(dir.folder(), FaxTableKind::Outgoing)), dir.folder() + "vlout.cdx");
    EXPECT_EQ(IndexPathOf(FaxTablePath(dir.folder(), FaxTableKind::Incoming)), dir.folder() + "vlrec.CDX");
    const std::string cdx = test::ReadFile(dir.folder() + "vlout.cdx");
    auto out = MustOpen(OpenOrCreateOutgoing(dir.folder(), ""));
    EXPECT_EQ(out->RecCount(), 1u);
    EXPECT_EQ(out->Text("SUBJECT"), "kept");
    auto in = MustOpen(OpenOrCreateIncoming(dir.folder()));
    EXPECT_EQ(in->RecCount(), 1u);
    out->Close();
    in->Close();
    EXPECT_EQ(test::ReadFile(dir.folder() + "vlout.cdx"), cdx);  // nothing rebuilt
    for (const char* made : {"VLOUT.DBF", "VLOUT.CDX", "VLREC.DBF", "VLREC.CDX"})
        EXPECT_FALSE(std::filesystem::exists(dir.folder() + made)) << made;
}

TEST(FaxTablesTest, FaxTablesAreExclusiveAndThePhoneBookFollowsItsCaller) {
    TempDir dir;
    auto out = MustOpen(OpenOrCreateOutgoing(dir.folder(), ""));
    const FaxTableOpenResult second = OpenOrCreateOutgoing(dir.folder(), "");
    EXPECT_FALSE(second.ok);
    EXPECT_FALSE(second.table);
    EXPECT_NE(second.error.find("in use"), std::string::npos) << second.error;

    auto shared = MustOpen(OpenOrCreatePhoneBook(dir.folder(), false));
    EXPECT_TRUE(OpenOrCreatePhoneBook(dir.folder(), false).ok);
    EXPECT_FALSE(OpenOrCreatePhoneBook(dir.folder(), true).ok);
}

TEST(FaxTablesTest, FailureAfterOpeningLeavesTheTableAsFarAsItGot) {
    TempDir dir;
    const FaxTableOpenResult bad = OpenOrCreateOutgoing(dir.folder(), "NOSUCHFIELD");
    EXPECT_FALSE(bad.ok);
    ASSERT_TRUE(bad.table);
    EXPECT_EQ(TagNames(*bad.table).size(), 5u);
    EXPECT_NE(bad.error.find("NOSUCHFIELD"), std::string::npos) << bad.error;
}

TEST(FaxTablesTest, OutgoingTagsOrderNewestFirstNeverSentLastAndTextWithoutCase) {
    TempDir dir;
    auto out = MustOpen(OpenOrCreateOutgoing(dir.folder(), ""));
    AddOut(*out, {"beta", "", "", "carol", "x2"});
    AddOut(*out, {"Alpha", "20240301", "09:15", "Bob", "X1"});
    AddOut(*out, {"gamma", "20240301", "14:05", "alice", "x3"});
    AddOut(*out, {"delta", "", "", "dave", ""});
    AddOut(*out, {"Epsilon", "20231231", "23:59", "Eve", "a"});

    out->SetOrder(out->TagNumber("DATESENT"));
    // Never-sent records (blank keys) come after every sent one, in record order.
    EXPECT_EQ(Column(*out, "SUBJECT"), (Names{"gamma", "Alpha", "Epsilon", "beta", "delta"}));
    out->SetOrder(out->TagNumber("SUBJECT"));
    EXPECT_EQ(Column(*out, "SUBJECT"), (Names{"Alpha", "beta", "delta", "Epsilon", "gamma"}));
    out->SetOrder(out->TagNumber("RECIPIENT"));
    EXPECT_EQ(Column(*out, "RECIPIENT"), (Names{"alice", "Bob", "carol", "dave", "Eve"}));
    out->SetOrder(out->TagNumber("CODES"));
    EXPECT_EQ(Column(*out, "CODES"), (Names{"", "a", "X1", "x2", "x3"}));
}

TEST(FaxTablesTest, IncomingTagsOrderNewestFirstAndFromZBeforeA) {
    TempDir dir;
    auto in = MustOpen(OpenOrCreateIncoming(dir.folder()));
    AddIn(*in, "20240102", "08:00", "alpha");
    AddIn(*in, "20240102", "17:30", "Zulu");
    AddIn(*in, "20231130", "12:00", "mike");
    in->SetOrder(in->TagNumber("DATETIME"));
    EXPECT_EQ(Column(*in, "FROM"), (Names{"Zulu", "alpha", "mike"}));
    in->SetOrder(in->TagNumber("FROM"));
    EXPECT_EQ(Column(*in, "FROM"), (Names{"Zulu", "mike", "alpha"}));
}

TEST(FaxTablesTest, PhoneBookNameOrderIsCaseSensitive) {
    TempDir dir;
    auto pb = MustOpen(OpenOrCreatePhoneBook(dir.folder(), true));
    for (const char* name : {"bob", "Alice", "alice", "Bob", "Zed"}) AddName(*pb, name);
    EXPECT_EQ(Column(*pb, "NAME"), (Names{"Alice", "Bob", "Zed", "alice", "bob"}));
}

TEST(FaxTablesTest, ListFiltersHideArchivedFaxes) {
    TempDir dir;
    {
        auto out = MustOpen(OpenOrCreateOutgoing(dir.folder(), ""));
        AddOut(*out, {"archived", "20240102", "10:00", "", "", true});
        AddOut(*out, {"kept", "20240101", "10:00"});
    }
    auto out = MustOpen(OpenOrCreateOutgoing(dir.folder(), std::string(kHideArchivedAtStart)));
    EXPECT_EQ(out->Text("SUBJECT"), "kept");  // the first record the list shows is current
    EXPECT_EQ(Column(*out, "SUBJECT"), (Names{"kept"}));
    out->SetFilter("");
    EXPECT_EQ(Column(*out, "SUBJECT"), (Names{"archived", "kept"}));
    out->SetFilter(std::string(kHideArchivedAgain));
    EXPECT_EQ(Column(*out, "SUBJECT"), (Names{"kept"}));
}

TEST(FaxTablesTest, DeletedRecordsLeaveEveryTagAndStayInTheFileUntilPacked) {
    TempDir dir;
    auto in = MustOpen(OpenOrCreateIncoming(dir.folder()));
    AddIn(*in, "20240101", "10:00", "one");
    AddIn(*in, "20240102", "10:00", "two");
    AddIn(*in, "20240103", "10:00", "three");
    in->Go(2);
    in->Delete();
    in->SetShowDeleted(true);  // even shown, a deleted record is in no tag
    in->SetFilter("");
    for (int order = 1; order <= static_cast<int>(in->Tags().size()); ++order) {
        in->SetOrder(order);
        for (const std::string& from : Column(*in, "FROM")) EXPECT_NE(from, "two") << "order " << order;
    }
    in->SetOrder(0);
    EXPECT_EQ(Column(*in, "FROM"), (Names{"one", "two", "three"}));
    in->SetShowDeleted(false);
    EXPECT_EQ(Column(*in, "FROM"), (Names{"one", "three"}));
    EXPECT_EQ(in->RecCount(), 3u);
    in->Pack();
    EXPECT_EQ(in->RecCount(), 2u);
}

TEST(FaxTablesTest, MissingOrUnreadableIndexIsRebuiltWithoutDatend) {
    TempDir dir;
    {
        auto out = MustOpen(OpenOrCreateOutgoing(dir.folder(), ""));
        AddOut(*out, {"old", "20240101", "10:00"});
        AddOut(*out, {"new", "20240202", "10:00"});
        out->AddIndexTag("DATEND", "DTOS(DATESENT)+TIMESENT", false, std::string(kNotDeletedCondition));
        out->Close();
    }
    for (const std::string damage : {"remove", "garbage"}) {
        if (damage == "remove") std::filesystem::remove(dir.folder() + "VLOUT.CDX");
        else test::WriteFile(dir.folder() + "VLOUT.CDX", "not an index");
        auto out = MustOpen(OpenOrCreateOutgoing(dir.folder(), ""));
        EXPECT_EQ(TagNames(*out), (Names{"DATESENT", "SUBJECT", "RECIPIENT", "CODES", "ARCHIVED"})) << damage;
        EXPECT_EQ(out->Order(), 0);
        out->SetOrder(1);
        EXPECT_EQ(Column(*out, "SUBJECT"), (Names{"new", "old"}));
    }
}

}  // namespace
}  // namespace vl::store
