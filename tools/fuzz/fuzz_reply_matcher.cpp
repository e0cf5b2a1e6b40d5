// Arbitrary bytes as an expected reply and a stream: the matcher answers true
// exactly when the count it keeps says the whole text was seen, and a true
// answer always ends on the text itself.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "serial/ReplyMatcher.h"

using vl::fuzz::Check;

namespace {

char Fold(char c, bool ignoreCase) { return ignoreCase && c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

bool EndsWith(std::string_view seen, std::string_view expected, bool ignoreCase) {
    if (seen.size() < expected.size()) return false;
    seen = seen.substr(seen.size() - expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        if (Fold(seen[i], ignoreCase) != Fold(expected[i], ignoreCase)) return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    // The first byte says how long the expected text is; the rest is the stream.
    const std::size_t length = std::min<std::size_t>(data[0] % 16, size - 1);
    const std::string expected(reinterpret_cast<const char*>(data + 1), length);
    const std::string_view stream(reinterpret_cast<const char*>(data + 1 + length), size - 1 - length);
    for (bool ignoreCase : {false, true}) {
        vl::serial::ReplyMatcher matcher(expected, ignoreCase);
        Check(matcher.Matched() == expected.empty());
        for (std::size_t i = 0; i < stream.size(); ++i) {
            const bool matched = matcher.Feed(static_cast<std::uint8_t>(stream[i]));
            Check(matched == matcher.Matched());
            if (matched) {
                Check(expected.empty() || EndsWith(stream.substr(0, i + 1), expected, ignoreCase));
                break;
            }
        }
    }
    return 0;
}
