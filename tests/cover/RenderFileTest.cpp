#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "base/ErrorCodes.h"
#include "cover/RenderFile.h"
#include "support/RenderRecordSamples.h"
#include "support/TestSupport.h"

namespace vl::cover {
namespace {

using Bytes = std::vector<std::uint8_t>;

RenderRecord RoundShape() { return test::ShapeRecord(2, 1, 20, 300, 50, 50, 6, 25); }

RenderRecord SenderFaxField() {
    RenderRecord r = test::FieldRecord(7, 100, 40, 284, 66, 20);
    r.bold = true;
    r.underline = true;
    return r;
}

const Bytes kShapeBytes = {0x01, 0x02, 0x02, 0x02, 0x14, 0x03, 0x2C, 0x01, 0x02, 0x32, 0x02, 0x32,
                           0x06, 0x00, 0x06, 0x00, 0x02, 0xFF, 0x08, 0x08, 0x08,
                           0x02, 0x02, 0x02, 0x01, 0x02, 0x06, 0x02, 0xFF, 0x02, 0x19, 0x02, 0xFF, 0x00};
const Bytes kFieldBytes = {0x01, 0x02, 0x05, 0x02, 0x64, 0x02, 0x28, 0x03, 0x1C, 0x01, 0x02, 0x42,
                           0x06, 0x00, 0x06, 0x05, 'A', 'r', 'i', 'a', 'l', 0x02, 0x14, 0x09, 0x08, 0x09,
                           0x02, 0xFF, 0x02, 0xFF, 0x02, 0xFF, 0x02, 0xFF, 0x02, 0xFF, 0x02, 0x07, 0x00};

TEST(RenderFile, RecordsAreWrittenValueByValue) {
    EXPECT_EQ(WriteRenderFile({RoundShape()}), kShapeBytes);
    EXPECT_EQ(WriteRenderFile({SenderFaxField()}), kFieldBytes);
}

TEST(RenderFile, RecordsReadBackInOrder) {
    Bytes bytes = kShapeBytes;
    bytes.insert(bytes.end(), kFieldBytes.begin(), kFieldBytes.end());
    RenderFileContents contents = ReadRenderFile(bytes);
    EXPECT_EQ(contents.error, base::ecOK);
    EXPECT_EQ(contents.records, (std::vector<RenderRecord>{RoundShape(), SenderFaxField()}));
}

TEST(RenderFile, AnEmptyFileHoldsNoRecords) {
    RenderFileContents contents = ReadRenderFile({});
    EXPECT_EQ(contents.error, base::ecOK);
    EXPECT_TRUE(contents.records.empty());
}

TEST(RenderFile, ACutInTheThirdRecordKeepsTheTwoBefore) {
    RenderRecord label;
    label.text = std::string(300, 'L');
    const std::vector<RenderRecord> records = {RoundShape(), SenderFaxField(), label};
    const Bytes whole = WriteRenderFile(records);
    const std::size_t thirdStart = kShapeBytes.size() + kFieldBytes.size();
    for (std::size_t cut = thirdStart + 1; cut < whole.size(); ++cut) {
        const Bytes part(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(cut));
        RenderFileContents contents = ReadRenderFile(part);
        EXPECT_EQ(contents.error, base::ecFaxBadFormat) << cut;
        EXPECT_EQ(contents.records, (std::vector<RenderRecord>{RoundShape(), SenderFaxField()})) << cut;
    }
    EXPECT_EQ(ReadRenderFile(whole).records, records);
}

TEST(RenderFile, AKindWithoutObjectIsKeptForTheReaderToSkip) {
    RenderRecord odd = RoundShape();
    odd.kind = static_cast<RecordKind>(1000);
    RenderFileContents contents = ReadRenderFile(WriteRenderFile({odd}));
    EXPECT_EQ(contents.error, base::ecOK);
    EXPECT_EQ(contents.records, std::vector<RenderRecord>{odd});
}

TEST(RenderFile, LoadingReadsTheFileOrReportsWhyNot) {
    test::TempDir dir;
    const Bytes bytes = WriteRenderFile({SenderFaxField()});
    test::WriteFile(dir.path() / "a.fct", std::string(bytes.begin(), bytes.end()));
    RenderFileContents loaded = LoadRenderFile((dir.path() / "a.fct").string());
    EXPECT_EQ(loaded.error, base::ecOK);
    EXPECT_EQ(loaded.records, std::vector<RenderRecord>{SenderFaxField()});

    RenderFileContents missing = LoadRenderFile((dir.path() / "none.fct").string());
    EXPECT_EQ(missing.error, base::ecFileNotFound);
    EXPECT_TRUE(missing.records.empty());
}

}  // namespace
}  // namespace vl::cover
