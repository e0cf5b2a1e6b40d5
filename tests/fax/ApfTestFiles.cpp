#include "ApfTestFiles.h"

#include "faxdoc/ApfFormat.h"
#include "support/TestSupport.h"

namespace vl::fax::test {

std::vector<std::uint8_t> LineRecords(const std::vector<std::vector<std::uint8_t>>& records) {
    std::vector<std::uint8_t> body;
    for (const auto& record : records) {
        body.push_back(static_cast<std::uint8_t>(record.size()));
        body.push_back(static_cast<std::uint8_t>(record.size() >> 8));
        body.insert(body.end(), record.begin(), record.end());
    }
    return body;
}

std::string ApfBytes(const std::vector<TestPage>& pages, int pageCount) {
    faxdoc::ApfFileHeader header;
    header.pageCount = static_cast<std::uint16_t>(pageCount < 0 ? pages.size() : pageCount);
    const auto head = faxdoc::EncodeFileHeader(header);
    std::string bytes(head.begin(), head.end());
    for (const TestPage& page : pages) {
        const auto pageHead =
            faxdoc::EncodePageHeader({static_cast<std::uint32_t>(page.data.size()), page.flags});
        bytes.append(pageHead.begin(), pageHead.end());
        bytes.append(page.data.begin(), page.data.end());
    }
    return bytes;
}

void WriteApf(const std::filesystem::path& file, const std::vector<TestPage>& pages) {
    vl::test::WriteFile(file, ApfBytes(pages));
}

}  // namespace vl::fax::test
