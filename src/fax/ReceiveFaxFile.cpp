#include "fax/ReceiveFaxFile.h"

#include <unistd.h>

#include <filesystem>
#include <limits>

#include "base/ErrorCodes.h"
#include "faxdoc/IoErrors.h"

namespace vl::fax {

namespace {

std::string PaddedStationId(std::string_view remoteId) {
    std::string id(remoteId.substr(0, faxdoc::kApfStationIdLength));
    id.resize(faxdoc::kApfStationIdLength, ' ');
    return id;
}

}  // namespace

ReceiveFaxFile::~ReceiveFaxFile() { Abandon(); }

int ReceiveFaxFile::Create(const std::string& fileName, std::string_view remoteId, std::time_t now) {
    Abandon();
    header_ = {};
    header_.stationId = PaddedStationId(remoteId);
    header_.dateTime = faxdoc::DosDateTimeOf(now);
    page_ = {};
    pageOpen_ = false;
    if (const int rc = out_.Create(fileName); rc != 0) return rc;
    fileName_ = fileName;
    return out_.Write(faxdoc::EncodeFileHeader(header_).data(), faxdoc::kApfHeaderSize);
}

int ReceiveFaxFile::BeginPage(bool fine, bool wide) {
    if (!out_.IsOpen()) return faxdoc::ecInvalidFileHandle;
    if (pageOpen_) return base::ecBadArgument;
    page_ = {};
    page_.imageFlags = static_cast<std::uint16_t>((fine ? faxdoc::ifHighResolution : 0) | (wide ? faxdoc::ifWide : 0));
    pageHeaderAt_ = out_.Position();
    pageOpen_ = true;
    return out_.Write(faxdoc::EncodePageHeader(page_).data(), faxdoc::kApfPageHeaderSize);
}

int ReceiveFaxFile::Write(std::span<const std::uint8_t> bytes) {
    if (!out_.IsOpen()) return faxdoc::ecInvalidFileHandle;
    // The page length is 32 bits; a page that would overflow it is refused.
    if (!pageOpen_ || bytes.size() > std::numeric_limits<std::uint32_t>::max() - page_.imageLength)
        return base::ecBadArgument;
    if (const int rc = out_.Write(bytes.data(), bytes.size()); rc != 0) return rc;
    page_.imageLength += static_cast<std::uint32_t>(bytes.size());
    return 0;
}

int ReceiveFaxFile::CompletePage(std::string_view remoteId, std::time_t now) {
    if (!out_.IsOpen()) return faxdoc::ecInvalidFileHandle;
    if (!pageOpen_ || header_.pageCount == std::numeric_limits<std::uint16_t>::max()) return base::ecBadArgument;
    ++header_.pageCount;
    header_.stationId = PaddedStationId(remoteId);
    header_.dateTime = faxdoc::DosDateTimeOf(now);
    pageOpen_ = false;
    const std::uint64_t end = out_.Position();
    const auto fileHeader = faxdoc::EncodeFileHeader(header_);
    const auto pageHeader = faxdoc::EncodePageHeader(page_);
    int rc = out_.Seek(0);
    if (rc == 0) rc = out_.Write(fileHeader.data(), fileHeader.size());
    if (rc == 0) rc = out_.Seek(pageHeaderAt_);
    if (rc == 0) rc = out_.Write(pageHeader.data(), pageHeader.size());
    if (rc == 0) rc = out_.Seek(end);
    return rc;
}

int ReceiveFaxFile::RemovePage() {
    if (!out_.IsOpen()) return faxdoc::ecInvalidFileHandle;
    if (!pageOpen_) return base::ecBadArgument;
    pageOpen_ = false;
    page_ = {};
    if (const int rc = out_.Seek(pageHeaderAt_); rc != 0) return rc;
    std::error_code error;
    std::filesystem::resize_file(fileName_, pageHeaderAt_, error);
    return error ? base::IoErrorCode(error.value(), base::IoOperation::Write) : 0;
}

int ReceiveFaxFile::Close() {
    if (!out_.IsOpen()) return faxdoc::ecInvalidFileHandle;
    const int rc = pageOpen_ ? RemovePage() : 0;
    const int closed = out_.Close();
    return rc != 0 ? rc : closed;
}

void ReceiveFaxFile::Abandon() {
    if (!out_.IsOpen()) return;
    const bool keep = header_.pageCount > 0;
    if (keep) {
        (void)Close();
        return;
    }
    out_.Discard();
    unlink(fileName_.c_str());
}

}  // namespace vl::fax
