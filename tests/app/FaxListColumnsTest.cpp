#include "app/FaxListColumns.h"

#include <gtest/gtest.h>

#include "FaxListFixture.h"

namespace vl::app {
namespace {

using FaxListColumnsTest = FaxListTest;

store::DateTimeFormat DayFirst() {
    store::DateTimeFormat format;
    format.shortDate = [](std::chrono::year_month_day d) {
        return std::to_string(static_cast<unsigned>(d.day())) + "." +
               std::to_string(static_cast<unsigned>(d.month())) + "." + std::to_string(static_cast<int>(d.year()));
    };
    format.time = [](std::chrono::hh_mm_ss<std::chrono::seconds>) { return std::string("unused"); };
    return format;
}

const ListColumn& Column(const std::vector<ListColumn>& columns, const std::string& field) {
    for (const ListColumn& c : columns)
        if (c.field == field) return c;
    throw std::runtime_error("no column " + field);
}

TEST_F(FaxListColumnsTest, DefaultColumns) {
    std::vector<std::string> titles;
    for (const ListColumn& c : OutgoingColumns()) titles.push_back(c.title);
    EXPECT_EQ(titles, (std::vector<std::string>{"Date Sent", "Time Sent", "Fax#", "Recipient", "Subject",
                                                "Last Attempt", "Notes", "Codes", "Fax File"}));
    EXPECT_EQ(IncomingColumns().back().widthChars, 50);
    EXPECT_EQ(Column(IncomingColumns(), "NOTES").widthChars, 60);
}

TEST_F(FaxListColumnsTest, VisibleRecordsFollowOrderAndFilterAndKeepTheCurrentRecord) {
    AddOut({"old", "", "", false, "20230101"});
    AddOut({"hidden", "", "", true, "20240101"});
    const uint32_t newest = AddOut({"new", "", "", false, "20240202"});
    AddOut({"unsent"});
    Out().Go(newest);
    EXPECT_EQ(VisibleRecords(Out()), (std::vector<uint32_t>{3, 1, 4}));
    EXPECT_EQ(Out().RecNo(), newest);
    lists.SetShowArchived(true);
    lists.SetOutgoingOrder(FaxLists::OutgoingOrder::Subject);
    EXPECT_EQ(VisibleRecords(Out()), (std::vector<uint32_t>{2, 3, 1, 4}));
    EXPECT_EQ(VisibleRecords(In()), std::vector<uint32_t>{});
}

TEST_F(FaxListColumnsTest, CellTexts) {
    AddOut({"Hello", "fax00001.apf", "", false, "20240315"});
    test::WriteFile(Send("FAX00001.APF"), "");
    const store::DateTimeFormat format = DayFirst();
    EXPECT_EQ(CellText(Out(), Column(OutgoingColumns(), "DATESENT"), folder, format), "15.3.2024");
    EXPECT_EQ(CellText(Out(), Column(OutgoingColumns(), "SUBJECT"), folder, format), "Hello");
    EXPECT_EQ(CellText(Out(), Column(OutgoingColumns(), kOutgoingFileColumn), folder, format), Send("FAX00001.APF"));
    AddOut({"Cover"});
    EXPECT_EQ(CellText(Out(), Column(OutgoingColumns(), "DATESENT"), folder, format), "");
    EXPECT_EQ(CellText(Out(), Column(OutgoingColumns(), kOutgoingFileColumn), folder, format), "(Cover only)");
    AddIn("Far", "REC00001.APF");
    EXPECT_EQ(CellText(In(), Column(IncomingColumns(), "DATEREC"), folder, format), "1.3.2024");
    EXPECT_EQ(CellText(In(), Column(IncomingColumns(), "PAGES"), folder, format), "");
    EXPECT_EQ(CellText(In(), Column(IncomingColumns(), kIncomingFileColumn), folder, format), Receive("REC00001.APF"));
}

}  // namespace
}  // namespace vl::app
