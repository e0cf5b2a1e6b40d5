#include "store/XbaseExpr.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "store/FaxTableLayouts.h"
#include "store/XbaseDate.h"
#include "store/RecordBuilder.h"

namespace vl::store {
namespace {

using test::RecordBuilder;

class XbaseExprTest : public ::testing::Test {
protected:
    const RecordLayout out_{OutgoingTableDef().fields};
    const RecordLayout in_{IncomingTableDef().fields};
    const RecordLayout book_{PhoneBookTableDef().fields};

    std::unique_ptr<XbaseExpr> Parse(std::string_view text, const RecordLayout& layout) {
        std::string error;
        auto expr = XbaseExpr::Parse(text, layout, error);
        EXPECT_NE(expr, nullptr) << text << ": " << error;
        return expr;
    }

    // The value of a logical expression on a record of the outgoing table.
    bool Holds(std::string_view text, const std::string& record) {
        auto expr = Parse(text, out_);
        if (!expr) return false;
        EXPECT_EQ(expr->Type(), XType::Logical) << text;
        return expr->IsTrue(record);
    }

    XValue Value(std::string_view text, const std::string& record, const RecordLayout& layout) {
        auto expr = Parse(text, layout);
        return expr ? expr->Evaluate(record) : XValue{};
    }

    std::string Error(std::string_view text, const RecordLayout& layout) {
        std::string error;
        auto expr = XbaseExpr::Parse(text, layout, error);
        EXPECT_EQ(expr, nullptr) << text << " parsed";
        return error;
    }

    std::string Outgoing(std::string_view subject) {
        return RecordBuilder(out_).Set("SUBJECT", subject).Bytes();
    }
};

TEST_F(XbaseExprTest, MalformedExpressionsFailWithAMessage) {
    const char* bad[] = {
        "",  "   ", "SUBJECT >", "SUBJECT > 5", "NOSUCH", "NOSUCH()", "UPPER()", "UPPER(SUBJECT, SUBJECT)",
        "UPPER(DATESENT)", "DTOS(SUBJECT)", "CTOD(DATESENT)", "((SUBJECT)", "SUBJECT)", "SUBJECT SUBJECT",
        "\"abc", "'abc", "[abc", ".x.", ".not", ".not. SUBJECT", "SUBJECT .and. .t.", "-SUBJECT", "+SUBJECT",
        "SUBJECT - SUBJECT", "ARCHIVED < .T.", "DELETED", "DELETED(1)", "SUBJECT * 2", "DATESENT + DATESENT",
        "\"a\" $ 5", "5 $ \"a\"", "1 .or. .t.", "UPPER(SUBJECT", "UPPER(,)", "()", "SUBJECT =", "= SUBJECT",
        "DATESENT = \"20240101\"", "1e5", "SUBJECT,", "ARCHIVED .and.", ".not.",
    };
    for (const char* text : bad) EXPECT_FALSE(Error(text, out_).empty()) << text;
}

TEST_F(XbaseExprTest, MessagesNameTheProblemAndItsPosition) {
    EXPECT_EQ(Error("SUBJECT > 5", out_), "type mismatch: character > numeric at position 9");
    EXPECT_EQ(Error("ARCHIVED .and. NOSUCH", out_), "unknown field 'NOSUCH' at position 16");
    EXPECT_EQ(Error("FROM", out_), "unknown field 'FROM' at position 1");  // a field of the other table
    EXPECT_EQ(Error("TRIMM(SUBJECT)", out_), "unknown function 'TRIMM' at position 1");
    EXPECT_EQ(Error("(ARCHIVED", out_), "missing ')' before end of expression at position 10");
    EXPECT_EQ(Error("ARCHIVED )", out_), "unexpected ')' after a complete expression at position 10");
    EXPECT_EQ(Error("ARCHIVED * 2", out_), "unexpected character '*' at position 10");
    EXPECT_EQ(Error("ARCHIVED \x01", out_), "unexpected character 0x01 at position 10");
    EXPECT_EQ(Error("'abc", out_), "unterminated string at position 1");
    EXPECT_EQ(Error("UPPER(SUBJECT, CODES)", out_), "UPPER() takes 1 argument, not 2 at position 1");
    EXPECT_EQ(Error("DTOS(SUBJECT)", out_),
              "type mismatch: DTOS() needs a date argument, not character at position 1");
}

TEST_F(XbaseExprTest, HostileNestingIsRefusedNotCrashed) {
    const std::string parens = std::string(5000, '(') + "ARCHIVED" + std::string(5000, ')');
    EXPECT_EQ(Error(parens, out_), "expression nested too deeply at position 65");
    std::string chain = "1";
    for (int i = 0; i < 5000; ++i) chain += "+1";
    EXPECT_NE(Error(chain, out_).find("too deeply"), std::string::npos);
    EXPECT_FALSE(Error(std::string(5000, '!') + ".t.", out_).empty());
    EXPECT_FALSE(Error(std::string(5000, '-') + "1", out_).empty());
    // Ordinary depth stays allowed.
    EXPECT_NE(Parse(std::string(30, '(') + "ARCHIVED" + std::string(30, ')'), out_), nullptr);
}

TEST_F(XbaseExprTest, NamesKeywordsAndLiteralsIgnoreLetterCase) {
    const std::string r = RecordBuilder(out_).Set("SUBJECT", "Offer").Set("ARCHIVED", "T").Bytes();
    EXPECT_TRUE(Holds("subject = \"Offer\"", r));
    EXPECT_TRUE(Holds("Subject = 'Offer'", r));
    EXPECT_TRUE(Holds("SUBJECT = [Offer]", r));
    EXPECT_TRUE(Holds("alltrim(upper(subject)) == 'OFFER'", r));
    EXPECT_TRUE(Holds("archived .AND. .T. .and. .true. .And. .not. .F. .and. .NOT. .False.", r));
    EXPECT_TRUE(Holds(".t. .Or. .f.", r));
}

TEST_F(XbaseExprTest, InexactEqualExactEqualAndContainmentOnPaddedFields) {
    const std::string r = Outgoing("Offer");  // 50 bytes: "Offer" and 45 blanks
    EXPECT_TRUE(Holds("SUBJECT = 'Off'", r));       // right side a prefix of the left
    EXPECT_TRUE(Holds("SUBJECT = 'Offer'", r));
    EXPECT_TRUE(Holds("SUBJECT = 'Offer   '", r));  // padding is part of the left
    EXPECT_TRUE(Holds("SUBJECT = ''", r));          // an empty right side always matches
    EXPECT_TRUE(Holds("'' = ''", r));
    EXPECT_FALSE(Holds("SUBJECT = 'offer'", r));    // letter case counts
    EXPECT_FALSE(Holds("SUBJECT = 'Offers'", r));
    EXPECT_FALSE(Holds("'Off' = SUBJECT", r));      // the longer right side is no prefix
    EXPECT_FALSE(Holds("SUBJECT == 'Offer'", r));   // exact: the padding counts
    EXPECT_TRUE(Holds("SUBJECT == 'Offer' + '" + std::string(45, ' ') + "'", r));
    EXPECT_TRUE(Holds("TRIM(SUBJECT) == 'Offer'", r));
    EXPECT_FALSE(Holds("TRIM(SUBJECT) == 'Off'", r));
    EXPECT_TRUE(Holds("'fer' $ SUBJECT", r));
    EXPECT_FALSE(Holds("'FER' $ SUBJECT", r));
    EXPECT_FALSE(Holds("'' $ SUBJECT", r));          // an empty search finds nothing
    EXPECT_FALSE(Holds("SUBJECT $ 'Special Offer!'", r));  // the padding is searched for too
    EXPECT_TRUE(Holds("TRIM(SUBJECT) $ 'Special Offer!'", r));
    // Not equal is the negation of the inexact "=", in all three spellings.
    EXPECT_FALSE(Holds("SUBJECT <> 'Off'", r));
    EXPECT_TRUE(Holds("SUBJECT # 'X'", r));
    EXPECT_FALSE(Holds("SUBJECT != 'Offer'", r));
}

TEST_F(XbaseExprTest, StringOrderIsByteWise) {
    const std::string r = Outgoing("");
    EXPECT_TRUE(Holds("'abc' < 'abd'", r));
    EXPECT_TRUE(Holds("'ab' < 'abc'", r));
    EXPECT_TRUE(Holds("'B' < 'a'", r));              // upper case letters sort first
    EXPECT_TRUE(Holds("'\xe9' > 'z'", r));           // bytes above 127 sort last
    EXPECT_TRUE(Holds("'abc' <= 'abc' .and. 'abc' >= 'abc'", r));
    EXPECT_FALSE(Holds("'abd' <= 'abc'", r));
    EXPECT_FALSE(Holds("'abc' > 'abc'", r));
}

TEST_F(XbaseExprTest, PrecedenceFollowsXbase) {
    const std::string r = Outgoing("");
    EXPECT_TRUE(Holds(".t. .or. .t. .and. .f.", r));    // .and. before .or.
    EXPECT_TRUE(Holds(".f. .and. .f. .or. .t.", r));
    EXPECT_FALSE(Holds("(.t. .or. .t.) .and. .f.", r));
    EXPECT_TRUE(Holds(".not. .t. .or. .t.", r));        // .not. before .or. ...
    EXPECT_FALSE(Holds(".not. .t. .and. .f.", r));      // ... and before .and.
    EXPECT_TRUE(Holds("! .f. .and. ! .f.", r));
    EXPECT_TRUE(Holds(".not. 1 = 2", r));               // relations before .not.
    EXPECT_TRUE(Holds("1 + 2 = 3", r));                 // + before relations
    EXPECT_TRUE(Holds("2 - 1 - 1 = 0", r));             // left to right
    EXPECT_TRUE(Holds("-2 + 5 = 3", r));                // signs before +
    EXPECT_TRUE(Holds("-(2 + 5) = -7 .and. --3 = 3 .and. +3 = 3", r));
    EXPECT_TRUE(Holds("'a' + 'b' $ 'xaby'", r));        // + before $
    EXPECT_TRUE(Holds("1.5 + .5 = 2 .and. 10 - 0.25 = 9.75", r));
    EXPECT_TRUE(Holds("1.=1.and..t..and.2>1.or..f.", r));  // dots end numbers and start keywords
}

TEST_F(XbaseExprTest, NumericFieldsReadRightAlignedText) {
    const char* cases[][2] = {{"5", "5"}, {"", "0"}, {"-3", "-3"}, {"x1", "0"}, {"99", "99"}, {"1-", "0"}};
    for (const auto& c : cases) {
        const std::string r = RecordBuilder(in_).Set("PAGES", c[0]).Bytes();
        EXPECT_EQ(Value("PAGES", r, in_).number, std::stod(c[1])) << c[0];
    }
    const std::string r = RecordBuilder(in_).Set("PAGES", "12").Bytes();
    EXPECT_TRUE(Value("PAGES > 3 .and. PAGES = 12 .and. PAGES < 13 .and. PAGES - 2 = 10", r, in_).logical);
    EXPECT_TRUE(Value("EMPTY(PAGES)", RecordBuilder(in_).Bytes(), in_).logical);
}

TEST_F(XbaseExprTest, DatesCompareByValueWithTheEmptyDateLowest) {
    const std::string sent = RecordBuilder(out_).Set("DATESENT", "20240131").Bytes();
    const std::string never = RecordBuilder(out_).Bytes();
    EXPECT_TRUE(Holds("DATESENT < CTOD('02/01/2024')", sent));
    EXPECT_TRUE(Holds("DATESENT = CTOD('01/31/2024') .and. DATESENT == CTOD('1/31/2024')", sent));
    EXPECT_FALSE(Holds("DATESENT < CTOD('01/31/2024')", sent));
    EXPECT_TRUE(Holds("DATESENT > CTOD('12/31/2023') .and. DATESENT >= CTOD('01/31/2024')", sent));
    EXPECT_TRUE(Holds("DATESENT < CTOD('01/01/0001')", never));
    EXPECT_TRUE(Holds("DATESENT = CTOD('')", never));
    EXPECT_TRUE(Holds("EMPTY(DATESENT) .and. .not. EMPTY(CTOD('01/01/2000'))", never));
    EXPECT_EQ(Value("DTOS(DATESENT)", never, out_).text, "        ");
    EXPECT_EQ(Value("DTOS(DATESENT)", sent, out_).text, "20240131");
    EXPECT_EQ(Value("DTOS(DATESENT)+TIMESENT", never, out_).text, std::string(13, ' '));
    // A damaged date field reads as empty rather than as text.
    for (const char* damaged : {"2024AB01", "20241301", "20230229", "00000101"}) {
        const std::string r = RecordBuilder(out_).Set("DATESENT", damaged).Bytes();
        EXPECT_TRUE(Holds("EMPTY(DATESENT)", r)) << damaged;
    }
}

TEST_F(XbaseExprTest, CtodAcceptsOnlyRealMonthDayYearDates) {
    const std::string r = Outgoing("");
    const char* cases[][2] = {
        {"01/31/2024", "20240131"}, {"2/29/2024", "20240229"}, {" 12/1/1999 ", "19991201"},
        {"02/29/2023", "        "}, {"13/01/2024", "        "}, {"00/10/2024", "        "},
        {"1/2/24", "        "},     {"", "        "},           {"2024-01-31", "        "},
        {"01/31/2024x", "        "}, {"/ /", "        "},       {"123/1/2024", "        "},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Value(std::string("DTOS(CTOD('") + c[0] + "'))", r, out_).text, c[1]) << c[0];
}

TEST(XbaseDateTest, StoredDatesParseOnlyWhenReal) {
    std::chrono::year_month_day d;
    ASSERT_TRUE(ParseStoredDate("20240229", d));
    EXPECT_EQ(d, std::chrono::year_month_day(std::chrono::year(2024) / 2 / 29));
    for (const char* bad : {"20230229", "        ", "2024022", "202402290", "00000101", "2024-2-1", "20240100"})
        EXPECT_FALSE(ParseStoredDate(bad, d)) << bad;
}

TEST_F(XbaseExprTest, DateArithmeticMovesByDays) {
    const std::string r = RecordBuilder(out_).Set("DATESENT", "20240131").Bytes();
    EXPECT_EQ(Value("DTOS(DATESENT + 1)", r, out_).text, "20240201");
    EXPECT_EQ(Value("DTOS(29 + DATESENT)", r, out_).text, "20240229");
    EXPECT_EQ(Value("DTOS(DATESENT - 31)", r, out_).text, "20231231");
    EXPECT_EQ(Value("DTOS(DATESENT + 1.9)", r, out_).text, "20240201");
    EXPECT_EQ(Value("DTOS(DATESENT + 1)", RecordBuilder(out_).Bytes(), out_).text, "        ");
    EXPECT_EQ(Value("DTOS(CTOD('12/31/9999') + 1)", r, out_).text, "        ");
    EXPECT_EQ(Value("DTOS(DATESENT + 99999999999)", r, out_).text, "        ");
}

TEST_F(XbaseExprTest, TextFunctions) {
    const std::string r = Outgoing("  Mixed Case \xc4x  ");
    EXPECT_EQ(Value("UPPER(SUBJECT)", r, out_).text.substr(0, 16), "  MIXED CASE \xc4X ");
    EXPECT_EQ(Value("LOWER(SUBJECT)", r, out_).text.substr(0, 16), "  mixed case \xc4x ");
    EXPECT_EQ(Value("ALLTRIM(SUBJECT)", r, out_).text, "Mixed Case \xc4x");
    EXPECT_EQ(Value("LTRIM(SUBJECT)", r, out_).text, "Mixed Case \xc4x" + std::string(35, ' '));
    EXPECT_EQ(Value("TRIM(SUBJECT)", r, out_).text, "  Mixed Case \xc4x");
    EXPECT_EQ(Value("RTRIM(SUBJECT)", r, out_).text, "  Mixed Case \xc4x");
    EXPECT_EQ(Value("ALLTRIM('   ')", r, out_).text, "");
    EXPECT_EQ(Value("'ab' + 'cd'", r, out_).text, "abcd");
}

TEST_F(XbaseExprTest, EmptyOfEveryType) {
    const std::string blank = RecordBuilder(out_).Bytes();
    const std::string full =
        RecordBuilder(out_).Set("SUBJECT", " x ").Set("DATESENT", "20000101").Set("ARCHIVED", "T").Bytes();
    for (const char* e : {"EMPTY(SUBJECT)", "EMPTY(DATESENT)", "EMPTY(ARCHIVED)", "EMPTY('')", "EMPTY(0)",
                          "EMPTY(.f.)", "EMPTY(ALLTRIM(SUBJECT))"}) {
        EXPECT_TRUE(Holds(e, blank)) << e;
    }
    for (const char* e : {"EMPTY(SUBJECT)", "EMPTY(DATESENT)", "EMPTY(ARCHIVED)", "EMPTY(1)", "EMPTY(-0.5)",
                          "EMPTY(.t.)"}) {
        EXPECT_FALSE(Holds(e, full)) << e;
    }
}

TEST_F(XbaseExprTest, DeletedReadsTheDeletionMark) {
    EXPECT_FALSE(Holds("DELETED()", RecordBuilder(out_).Bytes()));
    EXPECT_TRUE(Holds("DELETED()", RecordBuilder(out_).Delete().Bytes()));
    EXPECT_TRUE(Holds(".not. deleted()", RecordBuilder(out_).Bytes()));
}

TEST_F(XbaseExprTest, LogicalFieldsAcceptTheUsualLetters) {
    for (char c : std::string("TtYy")) {
        EXPECT_TRUE(Holds("ARCHIVED", RecordBuilder(out_).Set("ARCHIVED", std::string(1, c)).Bytes())) << c;
    }
    for (char c : std::string("FfNn ?x")) {
        EXPECT_FALSE(Holds("ARCHIVED", RecordBuilder(out_).Set("ARCHIVED", std::string(1, c)).Bytes())) << c;
    }
    const std::string r = RecordBuilder(out_).Set("ARCHIVED", "T").Bytes();
    EXPECT_TRUE(Holds("ARCHIVED = .T. .and. ARCHIVED <> .F. .and. ARCHIVED == .true.", r));
}

TEST_F(XbaseExprTest, ShortRecordsReadAsBlankPadded) {
    auto subject = Parse("SUBJECT", out_);
    EXPECT_EQ(subject->Evaluate("*Off").text, "Off" + std::string(47, ' '));
    EXPECT_EQ(subject->Evaluate("").text, std::string(50, ' '));
    EXPECT_TRUE(Holds("DELETED() .and. SUBJECT = 'Off' .and. EMPTY(DATESENT) .and. .not. ARCHIVED", "*Off"));
    EXPECT_FALSE(Holds("DELETED()", ""));
    auto key = Parse("DTOS(DATESENT)+TIMESENT", out_);
    EXPECT_EQ(key->Key(""), std::string(13, ' '));
    // A record cut inside the date.
    const std::string full = RecordBuilder(out_).Set("DATESENT", "20240131").Bytes();
    EXPECT_TRUE(Holds("EMPTY(DATESENT)", full.substr(0, 55)));
}

TEST_F(XbaseExprTest, IsTrueAndParseLogicalNeedALogicalExpression) {
    const std::string r = Outgoing("x");
    EXPECT_FALSE(Parse("SUBJECT", out_)->IsTrue(r));
    std::string error;
    EXPECT_EQ(XbaseExpr::ParseLogical("UPPER(SUBJECT)", out_, error), nullptr);
    EXPECT_EQ(error, "the expression is character, not logical");
    EXPECT_EQ(XbaseExpr::ParseLogical("SUBJECT >", out_, error), nullptr);
    EXPECT_NE(error.find("ends too early"), std::string::npos);
    auto ok = XbaseExpr::ParseLogical(".not. deleted()", out_, error);
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->Text(), ".not. deleted()");
}

// --- Index keys.

std::vector<std::string> SortedByKey(const XbaseExpr& expr, const std::vector<std::string>& records,
                                     bool descending) {
    std::vector<std::string> sorted = records;
    std::stable_sort(sorted.begin(), sorted.end(), [&](const std::string& a, const std::string& b) {
        return descending ? expr.Key(a) > expr.Key(b) : expr.Key(a) < expr.Key(b);
    });
    return sorted;
}

TEST_F(XbaseExprTest, EveryTagKeyHasOneLengthOnFullAndBlankRecords) {
    struct Table { const FaxTableDef& def; const RecordLayout& layout; std::vector<int> lengths; };
    const Table tables[] = {
        {OutgoingTableDef(), out_, {13, 50, 35, 25, 1, 13}},
        {IncomingTableDef(), in_, {13, 20, 1, 13}},
        {PhoneBookTableDef(), book_, {35}},
    };
    for (const Table& t : tables) {
        ASSERT_EQ(t.def.tags.size(), t.lengths.size());
        const std::string blank(static_cast<size_t>(t.layout.RecordLength()), ' ');
        const std::string junk(static_cast<size_t>(t.layout.RecordLength()), 'z');
        for (size_t i = 0; i < t.def.tags.size(); ++i) {
            auto key = Parse(t.def.tags[i].key, t.layout);
            ASSERT_NE(key, nullptr);
            EXPECT_EQ(key->KeyLength(), t.lengths[i]) << t.def.tags[i].name;
            for (const std::string& r : {blank, junk, std::string()})
                EXPECT_EQ(key->Key(r).size(), static_cast<size_t>(t.lengths[i])) << t.def.tags[i].name;
        }
    }
}

TEST_F(XbaseExprTest, DateSentKeysPutNeverSentFaxesLastWhenDescending) {
    auto key = Parse("DTOS(DATESENT)+TIMESENT", out_);
    const auto sent = [&](const char* date, const char* time) {
        return RecordBuilder(out_).Set("DATESENT", date).Set("TIMESENT", time).Bytes();
    };
    const std::string never = RecordBuilder(out_).Set("SUBJECT", "draft").Bytes();
    const std::string older = sent("20231201", "09:00");
    const std::string morning = sent("20240131", "09:30");
    const std::string afternoon = sent("20240131", "14:05");
    EXPECT_EQ(key->Key(afternoon), "2024013114:05");
    EXPECT_EQ(key->Key(never), std::string(13, ' '));
    const std::vector<std::string> records = {never, older, afternoon, morning};
    EXPECT_EQ(SortedByKey(*key, records, true), (std::vector<std::string>{afternoon, morning, older, never}));
    EXPECT_EQ(SortedByKey(*key, records, false), (std::vector<std::string>{never, older, morning, afternoon}));
}

TEST_F(XbaseExprTest, UpperKeysIgnoreCaseButTheNameKeyDoesNot) {
    const auto named = [&](const char* name) { return RecordBuilder(book_).Set("NAME", name).Bytes(); };
    auto name = Parse("NAME", book_);
    EXPECT_EQ(SortedByKey(*name, {named("adam"), named("Zoe"), named("Bob")}, false),
              (std::vector<std::string>{named("Bob"), named("Zoe"), named("adam")}));
    const auto from = [&](const char* f) { return RecordBuilder(in_).Set("FROM", f).Bytes(); };
    auto upperFrom = Parse("UPPER(FROM)", in_);
    EXPECT_EQ(SortedByKey(*upperFrom, {from("beta"), from("zeta corp"), from("Alpha")}, true),
              (std::vector<std::string>{from("zeta corp"), from("beta"), from("Alpha")}));
    EXPECT_EQ(upperFrom->Key(from("beta")), "BETA" + std::string(16, ' '));
}

TEST_F(XbaseExprTest, TrimmedKeysArePaddedToTheFieldWidth) {
    auto key = Parse("ALLTRIM(SUBJECT)", out_);
    EXPECT_EQ(key->KeyLength(), 50);
    EXPECT_EQ(key->Key(Outgoing("   x")), "x" + std::string(49, ' '));
    auto concatenated = Parse("TRIM(RECIPIENT) + '/' + DTOS(DATESENT)", out_);
    EXPECT_EQ(concatenated->KeyLength(), 44);
}

TEST_F(XbaseExprTest, LogicalAndNumericKeysSortByValue) {
    auto archived = Parse("ARCHIVED", out_);
    EXPECT_EQ(archived->Key(RecordBuilder(out_).Set("ARCHIVED", "T").Bytes()), "T");
    EXPECT_EQ(archived->Key(RecordBuilder(out_).Bytes()), "F");

    const char* ascending[] = {"-99999999999", "-1000.5", "-3", "-0.25", "0", "0.25", "2", "10", "1000000000000000"};
    std::vector<std::string> keys;
    for (const char* n : ascending) {
        auto e = Parse(n, out_);
        EXPECT_EQ(e->KeyLength(), 8);
        keys.push_back(e->Key(""));
        EXPECT_EQ(keys.back().size(), 8u);
    }
    for (size_t i = 1; i < keys.size(); ++i) EXPECT_LT(keys[i - 1], keys[i]) << ascending[i];
    EXPECT_EQ(Parse("-0", out_)->Key(""), Parse("0", out_)->Key(""));

    auto pages = Parse("PAGES", in_);
    const auto withPages = [&](const char* p) { return RecordBuilder(in_).Set("PAGES", p).Bytes(); };
    EXPECT_LT(pages->Key(withPages("-9")), pages->Key(withPages("")));
    EXPECT_LT(pages->Key(withPages("9")), pages->Key(withPages("10")));
}

}  // namespace
}  // namespace vl::store
