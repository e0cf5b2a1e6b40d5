#include "store/FaxTableLayouts.h"

#include <gtest/gtest.h>

#include "store/XbaseExpr.h"

namespace vl::store {
namespace {

std::string Describe(const FaxTableDef& def) {
    std::string s;
    for (const FieldDef& f : def.fields)
        s += f.name + " " + static_cast<char>(f.type) + std::to_string(f.width) + "." + std::to_string(f.decimals) +
             "@" + std::to_string(f.offset) + "; ";
    return s;
}

TEST(FaxTableLayoutsTest, FieldsInCreationOrder) {
    EXPECT_EQ(Describe(OutgoingTableDef()),
              "SUBJECT C50.0@1; DATESENT D8.0@51; TIMESENT C5.0@59; RECIPIENT C35.0@64; PHONE C25.0@99; "
              "LASTRESULT C100.0@124; FAXDOC C12.0@224; FAXCOVER C12.0@236; NOTES C50.0@248; CODES C25.0@298; "
              "ARCHIVED L1.0@323; ");
    EXPECT_EQ(Describe(IncomingTableDef()),
              "DATEREC D8.0@1; TIMEREC C5.0@9; FROM C20.0@14; PAGES N2.0@34; FAXFILE C12.0@36; NOTES C60.0@48; "
              "ARCHIVED L1.0@108; ");
    EXPECT_EQ(Describe(PhoneBookTableDef()), "NAME C35.0@1; PHONE C25.0@36; ");
    EXPECT_EQ(RecordLayout(OutgoingTableDef().fields).RecordLength(), 324);
    EXPECT_EQ(OutgoingTableDef().fileName, "VLOUT.DBF");
    EXPECT_EQ(IncomingTableDef().fileName, "VLREC.DBF");
    EXPECT_EQ(PhoneBookTableDef().fileName, "VLPB.DBF");
}

TEST(FaxTableLayoutsTest, TagsInBuildOrderAndTheirExpressionsParse) {
    const auto describe = [](const FaxTableDef& def) {
        std::string s;
        const RecordLayout layout(def.fields);
        for (const FaxTag& t : def.tags) {
            s += t.name + "=" + t.key + (t.descending ? " desc" : "") + (t.rebuildOnly ? " rebuild" : "") + "; ";
            std::string error;
            EXPECT_NE(XbaseExpr::Parse(t.key, layout, error), nullptr) << t.key << ": " << error;
            EXPECT_NE(XbaseExpr::ParseLogical(t.condition, layout, error), nullptr) << error;
            EXPECT_EQ(t.condition, ".not. deleted()");
        }
        return s;
    };
    EXPECT_EQ(describe(OutgoingTableDef()),
              "DATESENT=DTOS(DATESENT)+TIMESENT desc; SUBJECT=UPPER(SUBJECT); RECIPIENT=UPPER(RECIPIENT); "
              "CODES=UPPER(CODES); ARCHIVED=ARCHIVED; DATEND=DTOS(DATESENT)+TIMESENT rebuild; ");
    EXPECT_EQ(describe(IncomingTableDef()),
              "DATETIME=DTOS(DATEREC)+TIMEREC desc; FROM=UPPER(FROM) desc; ARCHIVED=ARCHIVED; "
              "DATEND=DTOS(DATEREC)+TIMEREC rebuild; ");
    EXPECT_EQ(describe(PhoneBookTableDef()), "NAME=NAME; ");
}

TEST(FaxTableLayoutsTest, FiltersParseOnBothFaxTables) {
    for (const FaxTableDef* def : {&OutgoingTableDef(), &IncomingTableDef()}) {
        const RecordLayout layout(def->fields);
        for (std::string_view filter : {kHideArchivedAtStart, kHideArchivedAgain, kNotDeletedCondition}) {
            std::string error;
            EXPECT_NE(XbaseExpr::ParseLogical(filter, layout, error), nullptr) << filter << ": " << error;
        }
    }
}

}  // namespace
}  // namespace vl::store
