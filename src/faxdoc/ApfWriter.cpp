#include "faxdoc/ApfWriter.h"

#include <unistd.h>

#include <algorithm>
#include <limits>

#include "base/ErrorCodes.h"
#include "faxdoc/IoErrors.h"

namespace vl::faxdoc {

ApfWriter::~ApfWriter() {
    if (out_.IsOpen()) ApfAbort();
}

int ApfWriter::Fail(int code) {
    ApfAbort();
    return code;
}

void ApfWriter::ApfAbort() {
    if (!out_.IsOpen()) return;
    out_.Discard();
    unlink(fileName_.c_str());
    pageOpen_ = false;
}

int ApfWriter::ApfCreate(const std::string& fileName) {
    ApfAbort();
    if (const int rc = out_.Create(fileName); rc != 0) return rc;
    fileName_ = fileName;
    pageOpen_ = false;
    pageCount_ = 0;
    page_ = {};
    if (const int rc = out_.Write(EncodeFileHeader({}).data(), kApfHeaderSize); rc != 0) return Fail(rc);
    return 0;
}

int ApfWriter::ApfBeginPage(bool highResolution, int width) {
    if (!out_.IsOpen()) return ecInvalidFileHandle;
    if (pageOpen_) return base::ecBadArgument;
    page_ = {};
    page_.imageFlags = static_cast<std::uint16_t>(ifLineRecords | (highResolution ? ifHighResolution : 0) |
                                                  (width == kWideWidth ? ifWide : 0));
    pageHeaderAt_ = out_.Position();
    pageOpen_ = true;
    if (const int rc = out_.Write(EncodePageHeader(page_).data(), kApfPageHeaderSize); rc != 0) return Fail(rc);
    return 0;
}

int ApfWriter::ApfPutRecord(std::span<const std::uint8_t> record) {
    if (!out_.IsOpen()) return ecInvalidFileHandle;
    // A record must fit its count word, and the page its 32-bit image length.
    if (!pageOpen_ || record.size() > std::numeric_limits<std::uint16_t>::max() ||
        record.size() + 2 > std::numeric_limits<std::uint32_t>::max() - page_.imageLength)
        return base::ecBadArgument;
    const std::uint8_t count[2] = {static_cast<std::uint8_t>(record.size()),
                                   static_cast<std::uint8_t>(record.size() >> 8)};
    if (const int rc = out_.Write(count, sizeof count); rc != 0) return Fail(rc);
    if (const int rc = out_.Write(record.data(), record.size()); rc != 0) return Fail(rc);
    page_.imageLength += static_cast<std::uint32_t>(2 + record.size());
    return 0;
}

int ApfWriter::WriteAt(std::uint64_t position, std::span<const std::uint8_t> bytes) {
    const std::uint64_t end = out_.Position();
    if (const int rc = out_.Seek(position); rc != 0) return rc;
    if (const int rc = out_.Write(bytes.data(), bytes.size()); rc != 0) return rc;
    return out_.Seek(end);
}

int ApfWriter::ApfEndPage() {
    if (!out_.IsOpen()) return ecInvalidFileHandle;
    // The page count is 16 bits; one more page would wrap it to nothing.
    if (!pageOpen_ || pageCount_ == std::numeric_limits<std::uint16_t>::max()) return base::ecBadArgument;
    if (const int rc = ApfPutRecord(kEndOfPageRecord); rc != 0) return rc;
    ++pageCount_;
    pageOpen_ = false;
    if (const int rc = WriteAt(pageHeaderAt_, EncodePageHeader(page_)); rc != 0) return Fail(rc);
    return 0;
}

int ApfWriter::ApfFinish(std::string_view stationId, std::time_t completed) {
    if (!out_.IsOpen()) return ecInvalidFileHandle;
    if (pageOpen_) return base::ecBadArgument;
    ApfFileHeader header;
    header.dateTime = DosDateTimeOf(completed);
    header.stationId = std::string(stationId.substr(0, kApfStationIdLength));
    header.pageCount = pageCount_;
    if (const int rc = WriteAt(0, EncodeFileHeader(header)); rc != 0) return Fail(rc);
    if (const int rc = out_.Close(); rc != 0) {
        unlink(fileName_.c_str());
        return rc;
    }
    return 0;
}

}  // namespace vl::faxdoc
