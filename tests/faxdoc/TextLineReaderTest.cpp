#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/TestSupport.h"
#include "base/ErrorCodes.h"
#include "faxdoc/IoErrors.h"
#include "faxdoc/TextLineReader.h"

namespace vl::faxdoc {
namespace {

using Lines = std::vector<std::string>;

class TextLineReaderTest : public ::testing::Test {
protected:
    // Every line of a file holding `bytes`.
    Lines LinesOf(const std::string& bytes) {
        const auto file = dir_.path() / "text.txt";
        test::WriteFile(file, bytes);
        TextLineReader reader;
        EXPECT_EQ(reader.Open(file.string()), base::ecOK);
        Lines lines;
        for (;;) {
            std::string line;
            bool got = false;
            EXPECT_EQ(reader.ReadLine(line, got), base::ecOK);
            if (!got) break;
            lines.push_back(line);
        }
        EXPECT_TRUE(reader.AtEnd());
        EXPECT_EQ(reader.BytesRead(), bytes.size());
        EXPECT_EQ(reader.BytesTotal(), bytes.size());
        return lines;
    }

    test::TempDir dir_;
};

TEST_F(TextLineReaderTest, LineEnds) {
    EXPECT_EQ(LinesOf("a\rb\nc\r\nd"), (Lines{"a", "b", "c", "d"}));
    EXPECT_EQ(LinesOf("a\n\nb\r\r\n"), (Lines{"a", "", "b", ""}));
    EXPECT_EQ(LinesOf("a\n\rb"), (Lines{"a", "", "b"}));  // LF CR is two ends
    EXPECT_EQ(LinesOf("last line without end"), (Lines{"last line without end"}));
    EXPECT_EQ(LinesOf("\n"), (Lines{""}));
    EXPECT_TRUE(LinesOf("").empty());
}

TEST_F(TextLineReaderTest, LineEndsAcrossChunkBoundaries) {
    const std::string first(TextLineReader::kChunkBytes - 1, 'x');
    EXPECT_EQ(LinesOf(first + "\r\ny"), (Lines{first, "y"}));
    EXPECT_EQ(LinesOf(first + "\r\r\ny"), (Lines{first, "", "y"}));
    const std::string full(TextLineReader::kChunkBytes, 'x');
    EXPECT_EQ(LinesOf(full + "\ny"), (Lines{full, "y"}));
    EXPECT_EQ(LinesOf(full + "\r\ny"), (Lines{full, "y"}));
    const std::string longLine(3 * TextLineReader::kChunkBytes + 17, 'q');
    EXPECT_EQ(LinesOf(longLine + "\r\n" + longLine), (Lines{longLine, longLine}));
}

TEST_F(TextLineReaderTest, EndOfFileMarkOnlyAsLastByte) {
    EXPECT_EQ(LinesOf("a\r\n\x1A"), (Lines{"a"}));
    EXPECT_EQ(LinesOf("a\x1A"), (Lines{"a"}));
    EXPECT_TRUE(LinesOf("\x1A").empty());
    EXPECT_EQ(LinesOf("a\x1A" "b\n"), (Lines{"a\x1A" "b"}));
    EXPECT_EQ(LinesOf("a\x1A\x1A"), (Lines{"a\x1A"}));
    EXPECT_EQ(LinesOf(std::string("a\x1A\0\0", 4)), (Lines{"a"}));  // dropped zero bytes do not count
    const std::string first(TextLineReader::kChunkBytes - 1, 'x');
    EXPECT_EQ(LinesOf(first + "\x1A" "z"), (Lines{first + "\x1A" "z"}));
}

TEST_F(TextLineReaderTest, ByteOrderMarkOnlyAtTheStart) {
    EXPECT_EQ(LinesOf("\xEF\xBB\xBFtext\n\xEF\xBB\xBFmore"), (Lines{"text", "\xEF\xBB\xBFmore"}));
    EXPECT_TRUE(LinesOf("\xEF\xBB\xBF").empty());
    EXPECT_EQ(LinesOf("\xEF\xBB"), (Lines{"\xEF\xBB"}));
}

TEST_F(TextLineReaderTest, ZeroBytesAreDroppedAlone) {
    EXPECT_EQ(LinesOf(std::string("a\0b\r\0\nc", 7)), (Lines{"ab", "c"}));
    // The rest of the chunk after a zero byte is text too, wherever the chunk ends.
    std::string bytes(TextLineReader::kChunkBytes + 10, '\0');
    bytes[5] = 'p';
    bytes[TextLineReader::kChunkBytes - 1] = 'q';
    bytes.back() = 'r';
    EXPECT_EQ(LinesOf(bytes), (Lines{"pqr"}));
    EXPECT_TRUE(LinesOf(std::string(2 * TextLineReader::kChunkBytes, '\0')).empty());
}

TEST_F(TextLineReaderTest, OverlongSegmentsAreCutWithoutSplittingCharacters) {
    const std::size_t cap = TextLineReader::kMaxSegmentBytes;
    EXPECT_EQ(LinesOf(std::string(cap + 5000, 'a') + "\n" + "next"), (Lines{std::string(cap, 'a'), "next"}));
    // "\xC3\xA9" straddles the cut: neither byte is kept.
    EXPECT_EQ(LinesOf(std::string(cap - 1, 'a') + "\xC3\xA9zz"), (Lines{std::string(cap - 1, 'a')}));
    // A form feed starts a new segment: the text after it is kept.
    EXPECT_EQ(LinesOf(std::string(cap + 9, 'a') + "\fb"), (Lines{std::string(cap, 'a') + "\fb"}));
}

TEST_F(TextLineReaderTest, Failures) {
    TextLineReader reader;
    std::string line;
    bool got = true;
    EXPECT_EQ(reader.ReadLine(line, got), ecInvalidFileHandle);
    EXPECT_FALSE(got);
    EXPECT_EQ(reader.Open((dir_.path() / "missing.txt").string()), base::ecFileNotFound);
    EXPECT_EQ(reader.Open(dir_.path().string()), base::ecAccessDenied);
    EXPECT_FALSE(reader.IsOpen());
}

}  // namespace
}  // namespace vl::faxdoc
