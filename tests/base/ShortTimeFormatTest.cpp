#include "base/ShortTimeFormat.h"

#include <gtest/gtest.h>

namespace vl::base {
namespace {

TEST(ShortTimeFormat, TheLocalesTimeLosesItsSeconds) {
    const struct {
        const char* pattern;
        const char* shortPattern;
    } cases[] = {
        {"%H:%M:%S", "%H:%M"},
        {"%T", "%H:%M"},
        {"%X", "%H:%M"},
        {"%r", "%I:%M %p"},
        {"%I:%M:%S %p", "%I:%M %p"},
        {"%l:%M:%S %p %Z", "%l:%M %p %Z"},
        {"%H.%M.%S", "%H.%M"},
        {"%R", "%R"},
        {"%H:%M", "%H:%M"},
        {"%M%S", "%M"},
        {"100%%", "100%%"},
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(WithoutSeconds(c.pattern), c.shortPattern) << c.pattern;
}

TEST(ShortTimeFormat, TheCLocaleShowsHoursAndMinutes) { EXPECT_EQ(ShortTimeFormat(), "%H:%M"); }

}  // namespace
}  // namespace vl::base
