#include "faxdoc/TextLineReader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string_view>

#include "base/ErrorCodes.h"
#include "faxdoc/IoErrors.h"

namespace vl::faxdoc {
namespace {

constexpr char kEndOfFileMark = 0x1A;
constexpr char kFormFeed = 0x0C;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool Utf8Continuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }
bool Utf8Lead(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0xC0; }

}  // namespace

TextLineReader::~TextLineReader() { Close(); }

int TextLineReader::Open(const std::string& fileName) {
    Close();
    const int fd = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return LastIoError(IoOperation::Open);
    struct stat info {};
    if (::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
        const int rc = S_ISDIR(info.st_mode) ? IoErrorCode(EISDIR, IoOperation::Open) : LastIoError(IoOperation::Open);
        ::close(fd);
        return rc;
    }
    fd_ = fd;
    bytesTotal_ = S_ISREG(info.st_mode) ? static_cast<std::uint64_t>(info.st_size) : 0;
    return base::ecOK;
}

void TextLineReader::Close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    pos_ = end_ = 0;
    eof_ = false;
    error_ = base::ecOK;
    atStart_ = true;
    segment_ = 0;
    bytesRead_ = bytesTotal_ = 0;
}

bool TextLineReader::Buffer(std::size_t count) {
    while (Buffered() < count && !eof_ && error_ == base::ecOK) {
        std::memmove(chunk_.data(), chunk_.data() + pos_, Buffered());
        end_ -= pos_;
        pos_ = 0;
        const ssize_t got = ::read(fd_, chunk_.data() + end_, chunk_.size() - end_);
        if (got < 0) {
            if (errno != EINTR) error_ = LastIoError(IoOperation::Read);
            continue;
        }
        if (got == 0) eof_ = true;
        bytesRead_ += static_cast<std::uint64_t>(got);
        const auto first = chunk_.begin() + static_cast<std::ptrdiff_t>(end_);
        end_ = static_cast<std::size_t>(std::remove(first, first + got, '\0') - chunk_.begin());
    }
    return error_ == base::ecOK;
}

bool TextLineReader::AtEnd() {
    if (fd_ < 0) return true;
    if (atStart_) {
        if (!Buffer(kByteOrderMark.size())) return false;
        if (std::string_view(chunk_.data() + pos_, Buffered()).starts_with(kByteOrderMark)) pos_ += kByteOrderMark.size();
        atStart_ = false;
    }
    if (!Buffer(2)) return false;
    return Buffered() == 0 || (Buffered() == 1 && chunk_[pos_] == kEndOfFileMark);
}

int TextLineReader::ReadLine(std::string& line, bool& gotLine) {
    line.clear();
    gotLine = false;
    segment_ = 0;
    if (fd_ < 0) return ecInvalidFileHandle;
    if (AtEnd()) return error_;
    gotLine = true;
    for (;;) {
        if (!Buffer(2)) return error_;
        if (Buffered() == 0) break;
        const char c = chunk_[pos_++];
        if (c == '\n') break;
        if (c == '\r') {
            if (!Buffer(1)) return error_;
            if (Buffered() > 0 && chunk_[pos_] == '\n') ++pos_;
            break;
        }
        if (c == kEndOfFileMark && Buffered() == 0) break;  // Buffer(2) above saw the file end after it
        Append(line, c);
    }
    return base::ecOK;
}

void TextLineReader::Append(std::string& line, char c) {
    if (c == kFormFeed) {
        segment_ = 0;
    } else if (segment_ == kMaxSegmentBytes) {
        // The first byte dropped: a character cut in two would make the kept
        // part invalid UTF-8, so its leading bytes go as well.
        if (Utf8Continuation(c)) {
            std::size_t back = 0;
            while (back < 3 && back < line.size() && Utf8Continuation(line[line.size() - 1 - back])) ++back;
            if (back < line.size() && Utf8Lead(line[line.size() - 1 - back])) line.resize(line.size() - 1 - back);
        }
        ++segment_;
        return;
    } else if (segment_ > kMaxSegmentBytes) {
        return;
    }
    ++segment_;
    line.push_back(c);
}

}  // namespace vl::faxdoc
