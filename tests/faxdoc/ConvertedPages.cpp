#include "ConvertedPages.h"

#include <gtest/gtest.h>

#include "faxdoc/ApfReader.h"
#include "faxdoc/Unpacker.h"

namespace vl::faxtest {

ConvertedFile ReadConverted(const std::string& apfFile) {
    ConvertedFile file;
    faxdoc::ApfReader reader;
    EXPECT_EQ(reader.Open(apfFile), 0) << apfFile;
    file.header = reader.Header();
    for (unsigned n = 1; n <= file.header.pageCount; ++n) {
        ConvertedPage page;
        EXPECT_EQ(reader.FindPage(n, page.header), 0);
        std::vector<std::uint8_t> record;
        while (!reader.AtPageEnd()) {
            if (reader.ReadLineRecord(record) != 0) {
                ADD_FAILURE() << "bad record on page " << n;
                break;
            }
            page.records.push_back(record);
        }
        faxdoc::UnpackOptions options;
        options.aspect = faxdoc::AspectMode::None;
        EXPECT_EQ(faxdoc::UnpackApfPage(apfFile, n, options, page.image), 0);
        file.pages.push_back(std::move(page));
    }
    return file;
}

std::vector<std::uint8_t> RecordStream(const ConvertedPage& page) {
    std::vector<std::uint8_t> stream;
    for (const auto& record : page.records) stream.insert(stream.end(), record.begin(), record.end());
    return stream;
}

}  // namespace vl::faxtest
