#include "ApfPages.h"

#include <gtest/gtest.h>

#include <span>

#include "faxdoc/ApfWriter.h"
#include "faxdoc/LineEncoder.h"
#include "faxdoc/Unpacker.h"

namespace vl::test {

void WriteApfPages(const std::string& file, const std::vector<Bitmap>& pages, bool fine)
{
    faxdoc::ApfWriter writer;
    ASSERT_EQ(writer.ApfCreate(file), 0);
    faxdoc::LineEncoder encoder(faxdoc::LineLayout{});
    for (const Bitmap& page : pages) {
        ASSERT_EQ(writer.ApfBeginPage(fine, page.width), 0);
        for (const std::string& row : page.rows) {
            const auto* bytes = reinterpret_cast<const std::uint8_t*>(row.data());
            ASSERT_EQ(writer.ApfPutRecord(encoder.Encode(std::span(bytes, row.size()))), 0);
        }
        ASSERT_EQ(writer.ApfEndPage(), 0);
    }
    ASSERT_EQ(writer.ApfFinish("TEST"), 0);
}

Bitmap ApfPageBitmap(const std::string& file, unsigned page)
{
    faxdoc::UnpackOptions options;
    options.aspect = faxdoc::AspectMode::None;
    faxdoc::PageImage image;
    EXPECT_EQ(faxdoc::UnpackApfPage(file, page, options, image), 0);
    Bitmap bitmap;
    bitmap.width = image.width;
    bitmap.height = image.height;
    const int rowBytes = (image.width + 7) / 8;
    for (int y = 0; y < image.height; ++y)
        bitmap.rows.emplace_back(reinterpret_cast<const char*>(image.Row(y)), static_cast<std::size_t>(rowBytes));
    return bitmap;
}

Bitmap WidenedTo(const Bitmap& page, int width)
{
    Bitmap wide = page;
    wide.width = width;
    for (std::string& row : wide.rows)
        row.resize(static_cast<std::size_t>((width + 7) / 8), '\0');
    return wide;
}

Bitmap RowsOf(const Bitmap& page, int first, int count)
{
    Bitmap part;
    part.width = page.width;
    for (int y = first; y < first + count && y < page.height; ++y)
        if (y >= 0)
            part.rows.push_back(page.rows[static_cast<std::size_t>(y)]);
    part.height = static_cast<int>(part.rows.size());
    return part;
}

}  // namespace vl::test
