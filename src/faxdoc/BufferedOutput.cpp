#include "faxdoc/BufferedOutput.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "base/ErrorCodes.h"
#include "faxdoc/IoErrors.h"

namespace vl::faxdoc {

BufferedOutput::~BufferedOutput() { Discard(); }

int BufferedOutput::Create(const std::string& fileName) {
    Discard();
    if (fileName.empty()) return base::ecPathNotFound;
    const int fd = open(fileName.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    // A missing name is a missing folder when creating.
    if (fd < 0) return errno == ENOENT ? base::ecPathNotFound : LastIoError(IoOperation::Open);
    fd_ = fd;
    filePosition_ = 0;
    fill_ = 0;
    return 0;
}

int BufferedOutput::WriteOut(const std::uint8_t* data, std::size_t length) {
    if (fd_ < 0) return ecInvalidFileHandle;
    ssize_t n;
    do n = write(fd_, data, length);
    while (n < 0 && errno == EINTR);
    if (n < 0) return LastIoError(IoOperation::Write);
    if (static_cast<std::size_t>(n) != length) return base::ecDeviceWrite;
    filePosition_ += length;
    return 0;
}

int BufferedOutput::Write(const void* data, std::size_t length) {
    if (fd_ < 0) return ecInvalidFileHandle;
    if (length == 0) return 0;
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    if (fill_ + length < kBufferSize) {
        std::memcpy(buffer_.data() + fill_, bytes, length);
        fill_ += length;
        return 0;
    }
    const std::size_t topUp = kBufferSize - fill_;
    std::memcpy(buffer_.data() + fill_, bytes, topUp);
    fill_ = kBufferSize;
    if (const int rc = Flush(); rc != 0) return rc;
    bytes += topUp;
    length -= topUp;
    const std::size_t direct = length - length % kBufferSize;
    if (direct > 0) {
        if (const int rc = WriteOut(bytes, direct); rc != 0) return rc;
    }
    std::memcpy(buffer_.data(), bytes + direct, length - direct);
    fill_ = length - direct;
    return 0;
}

int BufferedOutput::Flush() {
    if (fill_ == 0) return 0;
    const int rc = WriteOut(buffer_.data(), fill_);
    if (rc == 0) fill_ = 0;
    return rc;
}

int BufferedOutput::Seek(std::uint64_t position) {
    if (const int rc = Flush(); rc != 0) return rc;
    if (lseek(fd_, static_cast<off_t>(position), SEEK_SET) < 0) return LastIoError(IoOperation::Seek);
    filePosition_ = position;
    return 0;
}

int BufferedOutput::Close() {
    if (fd_ < 0) return ecInvalidFileHandle;
    int rc = Flush();
    if (close(fd_) != 0 && rc == 0) rc = LastIoError(IoOperation::Close);
    fd_ = -1;
    fill_ = 0;
    return rc;
}

void BufferedOutput::Discard() {
    if (fd_ >= 0) close(fd_);
    fd_ = -1;
    fill_ = 0;
}

}  // namespace vl::faxdoc
