#include "faxdoc/ApfReader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "base/ErrorCodes.h"
#include "faxdoc/IoErrors.h"

namespace vl::faxdoc {

namespace {

// Opens a regular file read-only; a FIFO or device would block or never end.
int OpenForReading(const std::string& fileName, std::uint64_t& size) {
    if (fileName.empty()) return base::ecFileNotFound;
    const int fd = open(fileName.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return LastIoError(IoOperation::Open);
    struct stat info {};
    const int code = fstat(fd, &info) != 0 ? LastIoError(IoOperation::Read)
                     : !S_ISREG(info.st_mode) ? base::ecAccessDenied
                                              : 0;
    if (code != 0) {
        close(fd);
        return code;
    }
    size = static_cast<std::uint64_t>(info.st_size);
    return fd;
}

}  // namespace

bool HasApfSignature(const std::string& fileName) {
    std::uint64_t size = 0;
    const int fd = OpenForReading(fileName, size);
    if (fd < 0) return false;
    std::uint8_t bytes[kApfSignature.size()];
    ssize_t n;
    do n = pread(fd, bytes, sizeof bytes, 0);
    while (n < 0 && errno == EINTR);
    close(fd);
    return n == static_cast<ssize_t>(sizeof bytes) && HasSignature(bytes);
}

int ApfReadHeader(const std::string& fileName, ApfFileHeader& header) {
    ApfReader reader;
    if (const int rc = reader.Open(fileName); rc != 0) return rc;
    header = reader.Header();
    return 0;
}

int ApfFindPage(const std::string& fileName, unsigned page, ApfFileHeader& header, ApfPageHeader& pageHeader) {
    ApfReader reader;
    if (const int rc = reader.Open(fileName); rc != 0) return rc;
    if (const int rc = reader.FindPage(page, pageHeader); rc != 0) return rc;
    header = reader.Header();
    return 0;
}

ApfReader::~ApfReader() { Close(); }

void ApfReader::Close() {
    if (fd_ >= 0) close(fd_);
    fd_ = -1;
    fileSize_ = 0;
    header_ = {};
    pageOffsets_.clear();
    page_ = {};
    position_ = pageEnd_ = 0;
}

int ApfReader::Fail(int code) {
    Close();
    return code;
}

int ApfReader::ReadAt(std::uint64_t offset, void* buffer, std::size_t length) {
    if (offset > fileSize_ || length > fileSize_ - offset) return base::ecFaxBadFormat;
    auto* at = static_cast<std::uint8_t*>(buffer);
    while (length > 0) {
        const ssize_t n = pread(fd_, at, length, static_cast<off_t>(offset));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return LastIoError(IoOperation::Read);
        if (n == 0) return base::ecDiskRead;  // the file shrank under us
        at += n;
        offset += static_cast<std::uint64_t>(n);
        length -= static_cast<std::size_t>(n);
    }
    return 0;
}

int ApfReader::Open(const std::string& fileName) {
    Close();
    std::uint64_t size = 0;
    const int fd = OpenForReading(fileName, size);
    if (fd < 0) return fd;
    fd_ = fd;
    fileSize_ = size;
    ApfFileHeaderBytes bytes{};
    if (const int rc = ReadAt(0, bytes.data(), bytes.size()); rc != 0) return Fail(rc);
    if (!HasSignature(bytes.data())) return Fail(base::ecFaxBadFormat);
    header_ = DecodeFileHeader(bytes);
    return 0;
}

int ApfReader::FindPage(unsigned page, ApfPageHeader& pageHeader) {
    if (fd_ < 0) return ecInvalidFileHandle;
    if (page == 0) return 0;
    if (page > header_.pageCount) return Fail(base::ecFaxBadFormat);
    if (pageOffsets_.empty()) pageOffsets_.push_back(header_.firstPageOffset);
    ApfPageHeaderBytes bytes{};
    while (true) {
        const std::uint64_t offset = pageOffsets_.back();
        if (pageOffsets_.size() >= page) {
            if (const int rc = ReadAt(pageOffsets_[page - 1], bytes.data(), bytes.size()); rc != 0) return Fail(rc);
            break;
        }
        if (const int rc = ReadAt(offset, bytes.data(), bytes.size()); rc != 0) return Fail(rc);
        pageOffsets_.push_back(offset + kApfPageHeaderSize + DecodePageHeader(bytes).imageLength);
    }
    const ApfPageHeader found = DecodePageHeader(bytes);
    const std::uint64_t dataStart = pageOffsets_[page - 1] + kApfPageHeaderSize;
    if (found.imageLength > fileSize_ - dataStart) return Fail(base::ecFaxBadFormat);
    page_ = found;
    position_ = dataStart;
    pageEnd_ = dataStart + found.imageLength;
    pageHeader = found;
    return 0;
}

int ApfReader::ReadPage(unsigned page, ApfPage& out) {
    if (fd_ < 0) return ecInvalidFileHandle;
    if (page == 0) return Fail(base::ecFaxBadFormat);
    ApfPageHeader header;
    if (const int rc = FindPage(page, header); rc != 0) return rc;
    std::vector<std::uint8_t> data(header.imageLength);
    if (const int rc = ReadAt(position_, data.data(), data.size()); rc != 0) return Fail(rc);
    position_ = pageEnd_;
    out.header = header;
    out.imageData = std::move(data);
    return 0;
}

int ApfReader::ReadLineRecord(std::vector<std::uint8_t>& record) {
    if (fd_ < 0) return ecInvalidFileHandle;
    record.clear();
    if (position_ == pageEnd_) return 0;
    if (!page_.LineRecords() || pageEnd_ - position_ < 2) return Fail(base::ecFaxBadFormat);
    std::uint8_t countWord[2];
    if (const int rc = ReadAt(position_, countWord, sizeof countWord); rc != 0) return Fail(rc);
    const std::size_t count = countWord[0] | countWord[1] << 8;
    if (count > pageEnd_ - position_ - 2) return Fail(base::ecFaxBadFormat);
    record.resize(std::min(count, kApfMaxRecordLength));
    if (const int rc = ReadAt(position_ + 2, record.data(), record.size()); rc != 0) return Fail(rc);
    position_ += 2 + count;
    return 0;
}

}  // namespace vl::faxdoc
