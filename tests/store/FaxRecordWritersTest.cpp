#include "store/FaxRecordWriters.h"

#include <gtest/gtest.h>

#include "store/FaxTableFixture.h"

namespace vl::store {
namespace {

using test::MustOpen;
using test::TempDir;

const TableTimestamp kWhen{"20261207", "14:05"};

TEST(FaxRecordWritersTest, ReceivedFaxIsFiledWithStationIdCutAndPagesHeld) {
    TempDir dir;
    auto in = MustOpen(OpenOrCreateIncoming(dir.folder()));
    AppendReceivedFax(*in, {"+49 30 1234567 Example Office", 3, dir.folder() + "RECEIVE/REC00001.APF"}, kWhen);
    EXPECT_EQ(in->RecNo(), 1u);
    EXPECT_EQ(in->Date("DATEREC"), "20261207");
    EXPECT_EQ(in->Text("TIMEREC"), "14:05");
    EXPECT_EQ(in->Text("FROM"), "+49 30 1234567 Examp");  // 20 characters
    EXPECT_EQ(in->Text("PAGES"), "3");
    EXPECT_EQ(in->Text("FAXFILE"), "REC00001.APF");
    EXPECT_FALSE(in->Logical("ARCHIVED"));

    AppendReceivedFax(*in, {"Ωmega\xFF fax", 250, "REC00002.APF"}, kWhen);
    EXPECT_EQ(in->Text("FROM"), "?mega? fax");  // what the table cannot hold
    EXPECT_EQ(in->Text("PAGES"), "99");
    AppendReceivedFax(*in, {"", -4, "REC00003.APF"}, kWhen);
    EXPECT_EQ(in->Text("PAGES"), "0");
}

TEST(FaxRecordWritersTest, ReceivedFaxThatCannotBeStoredAddsNothing) {
    TempDir dir;
    auto in = MustOpen(OpenOrCreateIncoming(dir.folder()));
    EXPECT_THROW(AppendReceivedFax(*in, {"x", 1, "A_NAME_TOO_LONG.APF"}, kWhen), EStoreError);
    EXPECT_THROW(AppendReceivedFax(*in, {"x", 1, "R.APF"}, {"20261399", "14:05"}), EStoreError);
    EXPECT_THROW(AppendReceivedFax(*in, {"x", 1, "R.APF"}, {"20261207", "14:05:00"}), EStoreError);
    in->Close();
    auto again = MustOpen(OpenOrCreateIncoming(dir.folder()));
    EXPECT_EQ(again->RecCount(), 0u);
}

TEST(FaxRecordWritersTest, SendAttemptRecordsResultAndDateOnlyOnSuccess) {
    TempDir dir;
    auto out = MustOpen(OpenOrCreateOutgoing(dir.folder(), ""));
    out->AppendBlank();
    out->SetText("PHONE", "555-0100");
    out->Post();

    RecordSendAttempt(*out, "Line busy", "555-0101", kWhen);
    EXPECT_EQ(out->Text("LASTRESULT"), "Line busy");
    EXPECT_EQ(out->Text("PHONE"), "555-0101");
    EXPECT_EQ(out->Date("DATESENT"), "");

    RecordSendAttempt(*out, "Sent", "555-0101", kWhen);
    EXPECT_EQ(out->Date("DATESENT"), "20261207");
    EXPECT_EQ(out->Text("TIMESENT"), "14:05");

    // A later failure keeps the earlier success; a blank result keeps the text.
    RecordSendAttempt(*out, "No answer", "555-0101", {"20261208", "09:00"});
    EXPECT_EQ(out->Date("DATESENT"), "20261207");
    RecordSendAttempt(*out, "   ", "555-0101", {"20261208", "09:00"});
    EXPECT_EQ(out->Text("LASTRESULT"), "No answer");

    RecordSendAttempt(*out, "ok", "555-0101", {"20261209", "07:30"});
    EXPECT_EQ(out->Date("DATESENT"), "20261209");
    RecordSendAttempt(*out, " Sent", "555-0101", {"20261210", "07:30"});  // not exactly "SENT"
    EXPECT_EQ(out->Date("DATESENT"), "20261209");
}

TEST(FaxRecordWritersTest, SendAttemptNeverStoresACutNumberAndCutsLongResults) {
    TempDir dir;
    auto out = MustOpen(OpenOrCreateOutgoing(dir.folder(), ""));
    out->AppendBlank();
    out->SetText("PHONE", "555-0100");
    out->Post();
    RecordSendAttempt(*out, std::string(150, 'e'), std::string(26, '1'), kWhen);
    EXPECT_EQ(out->Text("PHONE"), "555-0100");
    EXPECT_EQ(out->Text("LASTRESULT"), std::string(100, 'e'));
}

}  // namespace
}  // namespace vl::store
