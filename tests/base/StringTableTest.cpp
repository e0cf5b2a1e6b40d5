#include "base/StringTable.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "base/StringResources.h"
#include "base/Utf16Text.h"

namespace vl::base {
namespace {

using Bytes = std::vector<unsigned char>;

void Put32(Bytes& bytes, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<unsigned char>(value >> shift));
}

void Set32(Bytes& bytes, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<unsigned char>(value >> (8 * i));
}

// A well-formed table with the texts in the order given.
Bytes MakeTable(const std::vector<std::pair<std::uint32_t, std::u16string>>& texts) {
    Bytes bytes{'S', 'T', 'R', '0'};
    Put32(bytes, static_cast<std::uint32_t>(texts.size()));
    std::uint32_t offset = static_cast<std::uint32_t>(8 + 12 * texts.size());
    for (const auto& [id, text] : texts) {
        Put32(bytes, id);
        Put32(bytes, offset);
        Put32(bytes, static_cast<std::uint32_t>(text.size()));
        offset += static_cast<std::uint32_t>(2 * text.size());
    }
    for (const auto& entry : texts) {
        for (char16_t unit : entry.second) {
            bytes.push_back(static_cast<unsigned char>(unit & 0xFF));
            bytes.push_back(static_cast<unsigned char>(unit >> 8));
        }
    }
    return bytes;
}

constexpr std::size_t kFirstOffset = 12;  // offset field of entry 0
constexpr std::size_t kFirstLength = 16;  // length field of entry 0

TEST(StringTableTest, FindsTextsByIdentifierInAnyOrder) {
    const Bytes bytes = MakeTable({{30, u"thirty"}, {4, u"four"}, {1000, u""}, {17, u"seventeen"}});
    const StringTable table(bytes);
    EXPECT_EQ(table.Count(), 4u);
    EXPECT_EQ(table.Identifiers(), (std::vector<std::uint32_t>{4, 17, 30, 1000}));
    EXPECT_EQ(table.Find(4), "four");
    EXPECT_EQ(table.Find(30), "thirty");
    EXPECT_EQ(table.Find(17), "seventeen");
    EXPECT_EQ(table.Find(1000), "");  // present but empty is not missing
    EXPECT_FALSE(table.Find(5).has_value());
    EXPECT_FALSE(table.Find(0xFFFFFFFFu).has_value());
}

TEST(StringTableTest, RepeatedIdentifierKeepsTheFirstEntry) {
    const Bytes bytes = MakeTable({{7, u"first"}, {7, u"second"}, {3, u"three"}});
    const StringTable table(bytes);
    EXPECT_EQ(table.Find(7), "first");
    EXPECT_EQ(table.Identifiers(), (std::vector<std::uint32_t>{3, 7}));
}

TEST(StringTableTest, EmptyTableIsValid) {
    const Bytes bytes = MakeTable({});
    const StringTable table(bytes);
    EXPECT_EQ(table.Count(), 0u);
    EXPECT_FALSE(table.Find(0).has_value());
}

TEST(StringTableTest, ConvertsUtf16ToUtf8) {
    const Bytes bytes = MakeTable({{1, u"Gr\u00FC\u00DFe \u20AC"},
                                   {2, u"clef \U0001D11E"},
                                   {3, std::u16string(u"a") + char16_t(0xD800) + u"b"},
                                   {4, std::u16string(1, char16_t(0xDC00))}});
    const StringTable table(bytes);
    EXPECT_EQ(table.Find(1), "Gr\xC3\xBC\xC3\x9F" "e \xE2\x82\xAC");
    EXPECT_EQ(table.Find(2), "clef \xF0\x9D\x84\x9E");
    EXPECT_EQ(table.Find(3), "a\xEF\xBF\xBD" "b");  // unpaired high surrogate
    EXPECT_EQ(table.Find(4), "\xEF\xBF\xBD");       // lone low surrogate
}

TEST(StringTableTest, CutsToTheCallersBufferIncludingTerminator) {
    const std::u16string longText(100, u'x');
    const Bytes bytes = MakeTable({{1, longText}, {2, u"\u00E4\u00F6\u00FC"}, {3, u"ab\u20AC"}});
    const StringTable table(bytes);
    EXPECT_EQ(table.Find(1, 80)->size(), 79u);
    EXPECT_EQ(table.Find(1, 101)->size(), 100u);
    EXPECT_EQ(table.Find(1, 100)->size(), 99u);
    EXPECT_EQ(table.Find(1, 1), "");
    EXPECT_EQ(table.Find(1, 0), "");
    // Two-byte characters: a 4-byte buffer holds one of them, never half of the next.
    EXPECT_EQ(table.Find(2, 4), "\xC3\xA4");
    EXPECT_EQ(table.Find(2, 5), "\xC3\xA4\xC3\xB6");
    EXPECT_EQ(table.Find(2, 7), "\xC3\xA4\xC3\xB6\xC3\xBC");
    EXPECT_EQ(table.Find(3, 5), "ab");
    EXPECT_EQ(table.Find(3, 6), "ab\xE2\x82\xAC");
}

// Each damaged table is refused as a whole, before any lookup.
TEST(StringTableTest, RejectsDamagedTables) {
    const Bytes good = MakeTable({{1, u"one"}, {2, u"two"}});
    std::vector<std::pair<std::string, Bytes>> cases;
    cases.emplace_back("empty", Bytes{});
    cases.emplace_back("magic only", Bytes{'S', 'T', 'R', '0'});
    Bytes badMagic = good;
    badMagic[3] = '1';
    cases.emplace_back("bad magic", badMagic);
    cases.emplace_back("entries cut off", Bytes(good.begin(), good.begin() + 20));
    Bytes hugeCount = good;
    Set32(hugeCount, 4, 0xFFFFFFFFu);
    cases.emplace_back("count beyond the table", hugeCount);
    Bytes textCut = good;
    textCut.pop_back();
    cases.emplace_back("last text cut off", textCut);
    Bytes offsetOut = good;
    Set32(offsetOut, kFirstOffset, static_cast<std::uint32_t>(good.size()));
    cases.emplace_back("offset past the end", offsetOut);
    Bytes offsetInHeader = good;
    Set32(offsetInHeader, kFirstOffset, 0);
    cases.emplace_back("offset inside the header", offsetInHeader);
    Bytes wrapping = good;
    Set32(wrapping, kFirstOffset, 0xFFFFFFF0u);
    Set32(wrapping, kFirstLength, 0x7FFFFFFFu);
    cases.emplace_back("offset plus length wraps 32 bits", wrapping);
    Bytes longLength = good;
    Set32(longLength, kFirstLength, 0x80000000u);
    cases.emplace_back("length in bytes wraps 32 bits", longLength);

    for (const auto& [name, bytes] : cases) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(StringTable::Parse(bytes).has_value());
        try {
            StringTable table(bytes);
            ADD_FAILURE() << "accepted";
        } catch (const EInvalidStringResource& e) {
            EXPECT_STREQ(e.what(), "Invalid string resource");
        }
    }
}

TEST(StringTableTest, TextMayEndExactlyAtTheEndOfTheTable) {
    Bytes bytes = MakeTable({{1, u"ab"}});
    bytes.push_back('c');  // grow the text so that it ends on the table's last byte
    bytes.push_back(0);
    Set32(bytes, kFirstLength, 3);
    EXPECT_EQ(StringTable(bytes).Find(1), "abc");
}

TEST(StringTableTest, ReaderTableHoldsItsOwnMessages) {
    const StringTable reader(ReaderStringsResource());
    EXPECT_EQ(reader.Count(), 5u);
    EXPECT_EQ(reader.Find(1), "String not found: %d");
    EXPECT_EQ(reader.Find(2), "Cannot lock resource");
    EXPECT_EQ(reader.Find(3), "String resource not found: %s");
    EXPECT_EQ(reader.Find(4), "Unable to open string resource: %s");
    EXPECT_EQ(reader.Find(5), "Invalid string resource");
}

TEST(Utf16TextTest, FitToBufferNeverSplitsACharacter) {
    const std::string text = "a\xF0\x9D\x84\x9E" "b";  // 1 + 4 + 1 bytes
    EXPECT_EQ(FitToBuffer(text, 2), "a");
    EXPECT_EQ(FitToBuffer(text, 5), "a");
    EXPECT_EQ(FitToBuffer(text, 6), "a\xF0\x9D\x84\x9E");
    EXPECT_EQ(FitToBuffer(text, 7), text);
    EXPECT_EQ(FitToBuffer("", 0), "");
}

TEST(Utf16TextTest, OddTrailingByteIsIgnored) {
    const unsigned char bytes[] = {'h', 0, 'i', 0, 'x'};
    EXPECT_EQ(Utf16LeToUtf8(bytes), "hi");
}

}  // namespace
}  // namespace vl::base
