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

}  // namespace
}  // namespace vl::fax
