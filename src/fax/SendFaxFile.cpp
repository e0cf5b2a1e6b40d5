#include "fax/SendFaxFile.h"

#include <algorithm>

#include "base/ErrorCodes.h"
#include "faxdoc/IoErrors.h"

namespace vl::fax {

std::string WithFaxFileExtension(const std::string& name, const std::string& extension) {
    const std::size_t slash = name.rfind('/');
    const std::size_t dot = name.rfind('.');
    const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
    return hasExtension ? name : name + "." + extension;
}

int SendFaxFile::Open(const std::string& fileName, const std::string& extension) {
    Close();
    fileName_ = WithFaxFileExtension(fileName, extension);
    return reader_.Open(fileName_);
}

void SendFaxFile::Close() {
    reader_.Close();
    page_ = {};
    rawPage_.clear();
    rawPosition_ = 0;
}

int SendFaxFile::PositionAtPage(unsigned page) {
    if (!reader_.IsOpen()) return faxdoc::ecInvalidFileHandle;
    if (page == 0 || page > PageCount()) return base::ecDiskRead;
    rawPage_.clear();
    rawPosition_ = 0;
    if (const int rc = reader_.FindPage(page, page_); rc != 0) return rc;
    if (page_.LineRecords()) return 0;
    faxdoc::ApfPage whole;
    if (const int rc = reader_.ReadPage(page, whole); rc != 0) return rc;
    rawPage_ = std::move(whole.imageData);
    return 0;
}

bool SendFaxFile::PageDone() const {
    return page_.LineRecords() ? reader_.AtPageEnd() : rawPosition_ == rawPage_.size();
}

int SendFaxFile::ReadBlock(std::vector<std::uint8_t>& block, std::uint32_t& counted) {
    block.clear();
    counted = 0;
    if (!reader_.IsOpen()) return faxdoc::ecInvalidFileHandle;
    if (PageDone()) return 0;
    if (!page_.LineRecords()) {
        const std::size_t length = std::min(kMaxPageBlock, rawPage_.size() - rawPosition_);
        const auto from = rawPage_.begin() + static_cast<std::ptrdiff_t>(rawPosition_);
        block.assign(from, from + static_cast<std::ptrdiff_t>(length));
        rawPosition_ += length;
        counted = static_cast<std::uint32_t>(length);
        return 0;
    }
    if (const int rc = reader_.ReadLineRecord(block); rc != 0) return rc;
    counted = static_cast<std::uint32_t>(2 + block.size());
    return 0;
}

}  // namespace vl::fax
