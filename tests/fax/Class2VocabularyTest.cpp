#include <gtest/gtest.h>

#include "fax/Class2Vocabulary.h"
#include "fax/FaxCodes.h"

namespace vl::fax {
namespace {

// Report names of one class are prefixes of others' ("+FCS", "+FCSI"): a
// name only matches when ":" or the line's end follows it.
TEST(Class2Vocabulary, ReportsMatchTheirWholeName) {
    const Class2Vocabulary two0 = VocabularyFor(kClass2_0);
    EXPECT_TRUE(IsReport("+FCS:0,5,0,2,0,0,0,0", two0.sessionParameters));
    EXPECT_FALSE(IsReport("+FCSI: \"REMOTE\"", two0.sessionParameters));
    EXPECT_TRUE(IsReport("+FCO", two0.connectReport));
    EXPECT_FALSE(IsReport("+FCON", two0.connectReport));
    EXPECT_TRUE(IsReport("+FCON", VocabularyFor(kClass2).connectReport));
    EXPECT_FALSE(IsReport("", two0.pageStatus));
}

// Class 2 names the model +FMDL and the maker +FMFR; Class 2.0 the maker
// +FMI and the model +FMM.
TEST(Class2Vocabulary, IdentificationQueriesAskWhatTheyAreNamedFor) {
    const struct {
        int faxClass;
        const char* model;
        const char* maker;
        const char* revision;
    } cases[] = {
        {kClass2, "AT+FMDL?", "AT+FMFR?", "AT+FREV?"},
        {kClass2_0, "AT+FMM?", "AT+FMI?", "AT+FMR?"},
    };
    for (const auto& c : cases) {
        const Class2Vocabulary v = VocabularyFor(c.faxClass);
        EXPECT_EQ(v.modelQuery, c.model) << c.faxClass;
        EXPECT_EQ(v.makerQuery, c.maker) << c.faxClass;
        EXPECT_EQ(v.revisionQuery, c.revision) << c.faxClass;
    }
}

}  // namespace
}  // namespace vl::fax
