#include "store/FaxTableLayouts.h"

namespace vl::store {
namespace {

std::vector<FieldDef> WithOffsets(std::vector<FieldDef> fields) {
    return RecordLayout(std::move(fields)).Fields();
}

FaxTag Tag(const char* name, const char* key, bool descending, bool rebuildOnly = false) {
    return FaxTag{name, key, descending, std::string(kNotDeletedCondition), rebuildOnly};
}

constexpr FieldType C = FieldType::Character;
constexpr FieldType D = FieldType::Date;
constexpr FieldType L = FieldType::Logical;
constexpr FieldType N = FieldType::Numeric;

}  // namespace

const FaxTableDef& OutgoingTableDef() {
    static const FaxTableDef def{
        "VLOUT.DBF",
        WithOffsets({
            {"SUBJECT", C, 50, 0, 0},
            {"DATESENT", D, 8, 0, 0},
            {"TIMESENT", C, 5, 0, 0},
            {"RECIPIENT", C, 35, 0, 0},
            {"PHONE", C, 25, 0, 0},
            {"LASTRESULT", C, 100, 0, 0},
            {"FAXDOC", C, 12, 0, 0},
            {"FAXCOVER", C, 12, 0, 0},
            {"NOTES", C, 50, 0, 0},
            {"CODES", C, 25, 0, 0},
            {"ARCHIVED", L, 1, 0, 0},
        }),
        {
            Tag("DATESENT", "DTOS(DATESENT)+TIMESENT", true),
            Tag("SUBJECT", "UPPER(SUBJECT)", false),
            Tag("RECIPIENT", "UPPER(RECIPIENT)", false),
            Tag("CODES", "UPPER(CODES)", false),
            Tag("ARCHIVED", "ARCHIVED", false),
            Tag("DATEND", "DTOS(DATESENT)+TIMESENT", false, true),
        },
    };
    return def;
}

const FaxTableDef& IncomingTableDef() {
    static const FaxTableDef def{
        "VLREC.DBF",
        WithOffsets({
            {"DATEREC", D, 8, 0, 0},
            {"TIMEREC", C, 5, 0, 0},
            {"FROM", C, 20, 0, 0},
            {"PAGES", N, 2, 0, 0},
            {"FAXFILE", C, 12, 0, 0},
            {"NOTES", C, 60, 0, 0},
            {"ARCHIVED", L, 1, 0, 0},
        }),
        {
            Tag("DATETIME", "DTOS(DATEREC)+TIMEREC", true),
            Tag("FROM", "UPPER(FROM)", true),
            Tag("ARCHIVED", "ARCHIVED", false),
            Tag("DATEND", "DTOS(DATEREC)+TIMEREC", false, true),
        },
    };
    return def;
}

const FaxTableDef& PhoneBookTableDef() {
    static const FaxTableDef def{
        "VLPB.DBF",
        WithOffsets({
            {"NAME", C, 35, 0, 0},
            {"PHONE", C, 25, 0, 0},
        }),
        {
            Tag("NAME", "NAME", false),
        },
    };
    return def;
}

}  // namespace vl::store
