#include "fax/HeaderLine.h"

#include <gtest/gtest.h>

#include <string>

namespace vl::fax {
namespace {

HeaderValues Values() {
    HeaderValues v;
    v.when.tm_year = 126;
    v.when.tm_mon = 11;
    v.when.tm_mday = 8;
    v.when.tm_hour = 9;
    v.when.tm_min = 5;
    v.when.tm_sec = 7;
    v.dateFormat = "%d.%m.%Y";
    v.timeFormat = "%H:%M";
    v.sender = "Ann";
    v.stationId = "+1 555 0100";
    v.recipient = "Bob";
    v.title = "Offer";
    v.totalPages = 4;
    v.pageNumber = 2;
    return v;
}

TEST(HeaderLine, TagsAreReplaced) {
    struct Case {
        const char* line;
        const char* shown;
    };
    const Case cases[] = {
        {"$D $T", "08.12.2026 09:05"},
        {"From $F ($I) to $R: $S", "From Ann (+1 555 0100 to Bob Offer"},  // a tag runs to the blank
        {"From $F to $R", "From Ann to Bob"},
        {"Page $p of $n", "Page 2 of 4"},
        {"$Page", "2"},             // the rest of the tag goes with it
        {"$P/$N", "2"},             // one tag up to the blank
        {"cost 5 $ each", "cost 5  each"},
        {"end $", "end "},
        {"$X unknown", " unknown"},
        {"$$P", ""},
        {"no tags", "no tags"},
        {"", ""},
    };
    const HeaderValues v = Values();
    for (const Case& c : cases) EXPECT_EQ(SubstituteHeader(c.line, v), c.shown) << c.line;
}

// The time is the short one: hours and minutes, no seconds.
TEST(HeaderLine, TimeTagShowsTheShortTime) {
    HeaderValues v;
    v.when = Values().when;
    EXPECT_EQ(SubstituteHeader("at $T", v), "at 09:05");
}

TEST(HeaderLine, ValueHoldingATagIsInsertedLiterally) {
    HeaderValues v = Values();
    v.sender = "$F $P";
    EXPECT_EQ(SubstituteHeader("Fax from $F page $P", v), "Fax from $F $P page 2");
    v.sender = "$F";
    EXPECT_EQ(SubstituteHeader("$F$F", v), "$F");
}

TEST(HeaderLine, LineIsCutAt255) {
    HeaderValues v = Values();
    v.title = std::string(300, 't');
    std::string shown = SubstituteHeader("Title: $S and $F", v);
    EXPECT_EQ(shown, "Title: " + std::string(kHeaderLineMax - 7, 't'));
    v.title = std::string(kHeaderLineMax - 5, 't');
    shown = SubstituteHeader("$S $F $R", v);  // the cut takes part of a later tag
    EXPECT_EQ(shown, std::string(kHeaderLineMax - 5, 't') + " Ann ");
}

TEST(HeaderLine, PageNumbersWithAndWithoutCover) {
    HeaderValues v = Values();
    v.totalPages = 3 + 1;
    v.pageNumber = HeaderPageNumber(0, 1, true);
    EXPECT_EQ(SubstituteHeader("Page $P of $N", v), "Page 1 of 4");
    v.pageNumber = HeaderPageNumber(1, 1, false);
    EXPECT_EQ(SubstituteHeader("Page $P of $N", v), "Page 2 of 4");
    EXPECT_EQ(HeaderPageNumber(3, 1, false), 4);
    EXPECT_EQ(HeaderPageNumber(1, 0, false), 1);
    EXPECT_EQ(HeaderPageNumber(3, 0, false), 3);
}

}  // namespace
}  // namespace vl::fax
