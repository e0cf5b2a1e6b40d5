#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "base/ErrorCodes.h"
#include "cover/TaggedReader.h"
#include "cover/TaggedWriter.h"

namespace vl::cover {
namespace {

using Bytes = std::vector<std::uint8_t>;

struct IntegerCase {
    std::int32_t value;
    Bytes bytes;
};

TEST(TaggedValue, IntegersTakeTheSmallestTagAndReadBack) {
    const std::vector<IntegerCase> cases = {
        {0, {0x02, 0x00}},
        {-1, {0x02, 0xFF}},
        {127, {0x02, 0x7F}},
        {-128, {0x02, 0x80}},
        {128, {0x03, 0x80, 0x00}},
        {-129, {0x03, 0x7F, 0xFF}},
        {32767, {0x03, 0xFF, 0x7F}},
        {-32768, {0x03, 0x00, 0x80}},
        {32768, {0x04, 0x00, 0x80, 0x00, 0x00}},
        {-32769, {0x04, 0xFF, 0x7F, 0xFF, 0xFF}},
        {INT32_MIN, {0x04, 0x00, 0x00, 0x00, 0x80}},
    };
    for (const IntegerCase& c : cases) {
        TaggedWriter out;
        out.Integer(c.value);
        EXPECT_EQ(out.Bytes(), c.bytes) << c.value;
        TaggedReader in(out.Bytes());
        std::int32_t back = 7;
        EXPECT_EQ(in.Integer(back), base::ecOK);
        EXPECT_EQ(back, c.value);
        EXPECT_TRUE(in.AtEnd());
    }
}

TEST(TaggedValue, StringsLongerThan255BytesUseTheLongTag) {
    for (std::size_t length : {0u, 255u, 256u, 70000u}) {
        const std::string text(length, 'x');
        TaggedWriter out;
        out.String(text);
        const Bytes& bytes = out.Bytes();
        if (length <= 255) {
            ASSERT_EQ(bytes.size(), 2 + length);
            EXPECT_EQ(bytes[0], 0x06);
            EXPECT_EQ(bytes[1], length);
        } else {
            ASSERT_EQ(bytes.size(), 5 + length);
            EXPECT_EQ(bytes[0], 0x0C);
            EXPECT_EQ(bytes[1] | bytes[2] << 8 | bytes[3] << 16, static_cast<int>(length));
        }
        TaggedReader in(bytes);
        std::string back;
        EXPECT_EQ(in.String(back), base::ecOK);
        EXPECT_EQ(back, text);
    }
}

TEST(TaggedValue, StringsAreReadAsUtf8AndOlderWindows1252TextIsConverted) {
    struct Case {
        Bytes bytes;
        std::string text;
    };
    const std::vector<Case> cases = {
        {{0x06, 0x05, 'G', 'r', 0xFC, 0xDF, 'e'}, "Gr\xC3\xBC\xC3\x9F" "e"},
        {{0x06, 0x03, 0x80, ' ', '5'}, "\xE2\x82\xAC 5"},
        {{0x06, 0x02, 0xCE, 0xA9}, "\xCE\xA9"},  // UTF-8 stays, even outside Windows-1252
        {{0x0C, 0x01, 0x00, 0x00, 0x00, 0xE9}, "\xC3\xA9"},
    };
    for (const Case& c : cases) {
        TaggedReader in(c.bytes);
        std::string back;
        EXPECT_EQ(in.String(back), base::ecOK);
        EXPECT_EQ(back, c.text);
    }
}

TEST(TaggedValue, AValueOfAnotherKindIsRejected) {
    const Bytes integer = {0x02, 0x05};
    std::string text;
    bool flag = false;
    std::vector<std::string> members;
    EXPECT_EQ(TaggedReader(integer).String(text), base::ecFaxBadFormat);
    EXPECT_EQ(TaggedReader(integer).Boolean(flag), base::ecFaxBadFormat);
    EXPECT_EQ(TaggedReader(integer).Identifier(text), base::ecFaxBadFormat);
    EXPECT_EQ(TaggedReader(integer).Set(members), base::ecFaxBadFormat);
    EXPECT_EQ(TaggedReader(integer).ListBegin(), base::ecFaxBadFormat);
    const Bytes extended = {0x05, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    std::int32_t value = 0;
    EXPECT_EQ(TaggedReader(extended).Integer(value), base::ecFaxBadFormat);
}

TEST(TaggedValue, EveryCutValueIsAnErrorNotAnOverrun) {
    TaggedWriter out;
    out.Integer(-70000);
    out.String("abc");
    out.String(std::string(300, 'y'));
    out.Set({"fsItalic"});
    out.Identifier("stCircle");
    const Bytes& whole = out.Bytes();
    for (std::size_t cut = 0; cut < whole.size(); ++cut) {
        // Copied so that the sanitizers see any read past the cut.
        const Bytes part(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(cut));
        TaggedReader in(part);
        std::int32_t value = 0;
        std::string text;
        std::vector<std::string> members;
        int rc = in.Integer(value);
        if (rc == base::ecOK) rc = in.String(text);
        if (rc == base::ecOK) rc = in.String(text);
        if (rc == base::ecOK) rc = in.Set(members);
        if (rc == base::ecOK) rc = in.Identifier(text);
        EXPECT_EQ(rc, base::ecFaxBadFormat) << cut;
    }
}

TEST(TaggedValue, ALongStringLongerThanTheBufferIsAnError) {
    const Bytes bytes = {0x0C, 0xFF, 0xFF, 0xFF, 0xFF, 'a'};
    std::string text;
    EXPECT_EQ(TaggedReader(bytes).String(text), base::ecFaxBadFormat);
}

}  // namespace
}  // namespace vl::cover
