#include "store/CleanupConditions.h"

#include <gtest/gtest.h>

#include "store/FaxTableLayouts.h"
#include "store/RecordBuilder.h"
#include "store/XbaseExpr.h"

namespace vl::store {
namespace {

using namespace std::chrono;
using test::RecordBuilder;

class CleanupConditionsTest : public ::testing::Test {
protected:
    const RecordLayout out_{OutgoingTableDef().fields};
    const RecordLayout in_{IncomingTableDef().fields};

    // Which of the records the condition selects, as a string of 0 and 1.
    std::string Selects(const std::string& condition, const RecordLayout& layout,
                        const std::vector<std::string>& records) {
        std::string error;
        auto expr = XbaseExpr::ParseLogical(condition, layout, error);
        EXPECT_NE(expr, nullptr) << condition << ": " << error;
        std::string picks;
        for (const std::string& r : records) picks += expr && expr->IsTrue(r) ? '1' : '0';
        return picks;
    }

    std::string Sent(const char* date) { return RecordBuilder(out_).Set("DATESENT", date).Bytes(); }
    std::string Received(const char* date) { return RecordBuilder(in_).Set("DATEREC", date).Bytes(); }
    std::string From(const char* from) { return RecordBuilder(in_).Set("FROM", from).Bytes(); }
    std::string To(const char* recipient, const char* phone = "") {
        return RecordBuilder(out_).Set("RECIPIENT", recipient).Set("PHONE", phone).Bytes();
    }

    std::string Match(MatchChoice choice, std::string_view typed, bool exact) {
        std::string error;
        std::string condition = MatchCondition(choice, typed, exact, error);
        EXPECT_FALSE(condition.empty()) << typed << ": " << error;
        return condition;
    }
};

TEST_F(CleanupConditionsTest, BeforeDateIsWrittenWithTheDateAsMonthDayYear) {
    EXPECT_EQ(BeforeDateCondition(CleanupPage::Outgoing, 2024y / 3 / 5),
              "(DATESENT<CTOD(\"03/05/2024\")) .and. (.not. EMPTY(DATESENT))");
    EXPECT_EQ(BeforeDateCondition(CleanupPage::Incoming, 1999y / 12 / 31),
              "(DATEREC<CTOD(\"12/31/1999\")) .and. (.not. EMPTY(DATEREC))");
    EXPECT_EQ(BeforeDateCondition(CleanupPage::Incoming, 987y / 1 / 2),
              "(DATEREC<CTOD(\"01/02/0987\")) .and. (.not. EMPTY(DATEREC))");
    // No condition, so nothing is deleted, for a date that does not exist.
    EXPECT_EQ(BeforeDateCondition(CleanupPage::Outgoing, 2023y / 2 / 29), "");
    EXPECT_EQ(BeforeDateCondition(CleanupPage::Outgoing, year{10000} / 1 / 1), "");
    EXPECT_EQ(BeforeDateCondition(CleanupPage::Outgoing, year{0} / 1 / 1), "");
}

TEST_F(CleanupConditionsTest, BeforeDateSelectsEarlierFaxesAndNeverANeverSentOne) {
    const std::string condition = BeforeDateCondition(CleanupPage::Outgoing, 2024y / 3 / 5);
    EXPECT_EQ(Selects(condition, out_,
                      {Sent("20240304"), Sent("20240305"), Sent("20240306"), Sent("19000101"), Sent("")}),
              "10010");
    // A damaged date is taken as empty, so it is kept too.
    EXPECT_EQ(Selects(condition, out_, {Sent("2024XX01")}), "0");
    EXPECT_EQ(Selects(BeforeDateCondition(CleanupPage::Incoming, 2024y / 1 / 1), in_,
                      {Received("20231231"), Received("20240101"), Received("")}),
              "100");
}

TEST_F(CleanupConditionsTest, FixedConditions) {
    const std::string archived = RecordBuilder(out_).Set("ARCHIVED", "T").Set("DATESENT", "20240101").Bytes();
    const std::string fresh = RecordBuilder(out_).Bytes();
    const std::vector<std::string> records = {archived, fresh};
    EXPECT_EQ(Selects(std::string(kArchivedCondition), out_, records), "10");
    EXPECT_EQ(Selects(std::string(kSentCondition), out_, records), "10");
    EXPECT_EQ(Selects(std::string(kNotSentCondition), out_, records), "01");
    EXPECT_EQ(Selects(std::string(kAllFaxesCondition), out_, records), "11");
    EXPECT_EQ(Selects(std::string(kArchivedCondition), in_,
                      {RecordBuilder(in_).Set("ARCHIVED", "T").Bytes(), RecordBuilder(in_).Bytes()}),
              "10");
}

TEST_F(CleanupConditionsTest, MatchConditionsAreWrittenWithTheTrimmedUpperCasedText) {
    EXPECT_EQ(Match(MatchChoice::From, "  acme Corp ", true), "ALLTRIM(UPPER(FROM))==\"ACME CORP\"");
    EXPECT_EQ(Match(MatchChoice::From, "acme\t", false), "\"ACME\"$ALLTRIM(UPPER(FROM))");
    EXPECT_EQ(Match(MatchChoice::Recipient, "Smith", true), "ALLTRIM(UPPER(RECIPIENT))==\"SMITH\"");
    EXPECT_EQ(Match(MatchChoice::Recipient, "Smith", false), "\"SMITH\"$ALLTRIM(UPPER(RECIPIENT))");
    EXPECT_EQ(Match(MatchChoice::FaxNumber, "555-0100", true), "ALLTRIM(UPPER(PHONE))==\"555-0100\"");
    EXPECT_EQ(Match(MatchChoice::FaxNumber, "555", false), "\"555\"$ALLTRIM(UPPER(PHONE))");
}

TEST_F(CleanupConditionsTest, PartialMatchIsContainmentAndExactMatchTheWholeField) {
    const std::vector<std::string> senders = {From("ACME Corp"), From("  acme corp  "), From("Big ACME Corp Ltd"),
                                              From("ACM"), From("")};
    EXPECT_EQ(Selects(Match(MatchChoice::From, "acme corp", true), in_, senders), "11000");
    EXPECT_EQ(Selects(Match(MatchChoice::From, "acme corp", false), in_, senders), "11100");
    EXPECT_EQ(Selects(Match(MatchChoice::From, "ACME", false), in_, senders), "11100");

    const std::vector<std::string> recipients = {To("John Smith", "555-0100"), To("smith", "555 0100"),
                                                 To("Smithers", "0555-01009")};
    EXPECT_EQ(Selects(Match(MatchChoice::Recipient, "SMITH", true), out_, recipients), "010");
    EXPECT_EQ(Selects(Match(MatchChoice::Recipient, "smith", false), out_, recipients), "111");
    EXPECT_EQ(Selects(Match(MatchChoice::FaxNumber, "555-0100", true), out_, recipients), "100");
    EXPECT_EQ(Selects(Match(MatchChoice::FaxNumber, "555-0100", false), out_, recipients), "101");
}

TEST_F(CleanupConditionsTest, QuotesInTheTextCannotChangeTheCondition) {
    // Quoted naively, this text would turn the condition into "delete everything".
    const char* attack = "X\" .OR. .T. .OR. \"";
    const std::string condition = Match(MatchChoice::From, attack, true);
    EXPECT_EQ(condition, "ALLTRIM(UPPER(FROM))=='X\" .OR. .T. .OR. \"'");
    EXPECT_EQ(Selects(condition, in_, {From("ACME"), From(attack), From("")}), "010");

    EXPECT_EQ(Match(MatchChoice::Recipient, "O'Brien \"Bob\"", false), "[O'BRIEN \"BOB\"]$ALLTRIM(UPPER(RECIPIENT))");
    EXPECT_EQ(Selects(Match(MatchChoice::Recipient, "o'brien \"bob\"", false), out_,
                      {To("Mr O'Brien \"Bob\" Jr"), To("O'Brien Bob")}),
              "10");
    EXPECT_EQ(Selects(Match(MatchChoice::Recipient, "o'brien", true), out_, {To("O'Brien"), To("OBrien")}), "10");

    std::string error;
    EXPECT_EQ(MatchCondition(MatchChoice::From, "a\"b'c]", true, error), "");
    EXPECT_NE(error.find("cannot contain"), std::string::npos);
}

TEST_F(CleanupConditionsTest, BlankTextGivesNoCondition) {
    for (const char* blank : {"", "   ", "\t \r\n"}) {
        std::string error;
        EXPECT_EQ(MatchCondition(MatchChoice::Recipient, blank, false, error), "");
        EXPECT_EQ(error, "Please enter a value");
    }
}

}  // namespace
}  // namespace vl::store
