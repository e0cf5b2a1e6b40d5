// The hash that tells an index file whether the table's records are the ones
// it was built from: any single changed bit, and any change of length, must
// change it.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "store/ContentHash.h"

namespace vl::store {
namespace {

TEST(ContentHashTest, EveryFlippedBitChangesTheHash) {
    // Long enough for the four lanes, with a tail of whole words and bytes.
    std::string bytes(32 * 3 + 8 + 5, '\0');
    for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 7);
    const uint64_t original = ContentHash(bytes);
    std::set<uint64_t> seen{original};
    for (size_t i = 0; i < bytes.size(); ++i)
        for (int bit = 0; bit < 8; ++bit) {
            std::string changed = bytes;
            changed[i] = static_cast<char>(changed[i] ^ (1 << bit));
            EXPECT_TRUE(seen.insert(ContentHash(changed)).second) << "byte " << i << " bit " << bit;
        }
}

TEST(ContentHashTest, LengthSeedAndWordOrderCount) {
    // Zero bytes added at the end, in a tail or in whole words.
    std::set<uint64_t> seen;
    for (size_t n = 0; n <= 70; ++n) EXPECT_TRUE(seen.insert(ContentHash(std::string(n, '\0'))).second) << n;
    EXPECT_NE(ContentHash("records", 1), ContentHash("records", 2));
    EXPECT_EQ(ContentHash("records", 7), ContentHash("records", 7));
    // Two lanes' words swapped.
    const std::string a = std::string(8, 'a') + std::string(8, 'b') + std::string(16, 'c');
    const std::string b = std::string(8, 'b') + std::string(8, 'a') + std::string(16, 'c');
    EXPECT_NE(ContentHash(a), ContentHash(b));
    // Two blocks swapped within one lane.
    EXPECT_NE(ContentHash(a + b), ContentHash(b + a));
}

}  // namespace
}  // namespace vl::store
