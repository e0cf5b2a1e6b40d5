// The cover templates the program ships: each one complete, its files in
// agreement, and drawn where both the fax page and the preview show it.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <optional>

#include "base/ErrorCodes.h"
#include "base/FileBytes.h"
#include "cover/DescriptionFile.h"
#include "cover/DesignFile.h"
#include "cover/FaxCoverField.h"
#include "cover/RenderFile.h"
#include "cover/RenderRecords.h"
#include "cover/TemplateFiles.h"
#include "support/TestSupport.h"

namespace vl::cover {
namespace {

// The design page's part that the preview picture shows: 816 x 1056 less the
// 98-pixel offset.
constexpr int kShownWidth = 816 - 98;
constexpr int kShownHeight = 1056 - 98;

bool HasField(const CoverObjects& objects, CoverFieldType type) {
    return std::any_of(objects.begin(), objects.end(), [type](const auto& object) {
        const auto* field = dynamic_cast<const FaxCoverField*>(object.get());
        return field != nullptr && field->FieldType() == type;
    });
}

bool HasKind(const CoverObjects& objects, RecordKind kind) {
    return std::any_of(objects.begin(), objects.end(), [kind](const auto& object) { return object->Kind() == kind; });
}

TEST(ShippedTemplates, EachIsCompleteAgreesWithItselfAndFitsThePage) {
    const std::string folder = VL_SHIPPED_COVERS;
    for (const char* name : {"vl0001.fcs", "vl0002.fcs", "vl0003.fcs", "vl0004.fcs"}) {
        SCOPED_TRACE(name);
        TemplateFiles files;
        ASSERT_EQ(TemplateFilesOf(folder + name, files), base::ecOK);
        std::vector<std::uint8_t> design;
        ASSERT_EQ(base::ReadFileBytes(files.design, design, 1 << 20, base::ecFaxBadFormat), base::ecOK);
        CoverObjects objects;
        ASSERT_EQ(ReadDesignFile(design, objects), base::ecOK);

        const RenderFileContents render = LoadRenderFile(files.render);
        ASSERT_EQ(render.error, base::ecOK);
        EXPECT_EQ(WriteRenderFile(render.records), WriteRenderFile(RenderRecords(objects, 96)));

        for (const auto& object : objects) {
            EXPECT_GE(object->Left(), 0);
            EXPECT_GE(object->Top(), 0);
            EXPECT_LE(object->Left() + object->Width(), kShownWidth) << static_cast<int>(object->Kind());
            EXPECT_LE(object->Top() + object->Height(), kShownHeight) << static_cast<int>(object->Kind());
        }
        for (CoverFieldType type : {CoverFieldType::Date, CoverFieldType::Recipient, CoverFieldType::RecipientFax,
                                    CoverFieldType::Sender, CoverFieldType::SenderFax})
            EXPECT_TRUE(HasField(objects, type)) << static_cast<int>(type);
        EXPECT_TRUE(HasKind(objects, RecordKind::Message));

        std::optional<std::string> description;
        ASSERT_EQ(ReadDescription(files.description, description), base::ecOK);
        EXPECT_FALSE(description.value_or("").empty());
        EXPECT_EQ(test::ReadFile(files.preview).substr(0, 2), "BM");
    }
    CoverObjects withFlags;
    std::vector<std::uint8_t> design;
    ASSERT_EQ(base::ReadFileBytes(folder + "vl0003.fcs", design, 1 << 20, base::ecFaxBadFormat), base::ecOK);
    ASSERT_EQ(ReadDesignFile(design, withFlags), base::ecOK);
    EXPECT_TRUE(HasKind(withFlags, RecordKind::Importance));
}

}  // namespace
}  // namespace vl::cover
