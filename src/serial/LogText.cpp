#include "serial/LogText.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <system_error>

#include "base/AtomicFile.h"
#include "base/IoErrors.h"

namespace vl::serial {

std::string ByteToken(std::uint8_t byte, bool hex, bool allHex) {
    const std::uint8_t firstPrintable = hex ? 33 : 32;
    if (!allHex && byte >= firstPrintable && byte <= 126) return std::string(1, static_cast<char>(byte));
    char text[8];
    std::snprintf(text, sizeof text, (hex || allHex) ? "[%02X]" : "[%u]", static_cast<unsigned>(byte));
    return text;
}

void WrappedText::BeginLine(std::string_view text) {
    out_.append(text);
    column_ = text.size();
    lineEmpty_ = true;
}

void WrappedText::Put(std::string_view piece) {
    if (!lineEmpty_ && column_ + piece.size() > kReportWidth) {
        out_.push_back('\n');
        out_.append(indent_, ' ');
        column_ = indent_;
    }
    out_.append(piece);
    column_ += piece.size();
    lineEmpty_ = false;
}

void WrappedText::EndLine() {
    out_.push_back('\n');
    column_ = 0;
    lineEmpty_ = true;
}

namespace {

int AppendToFile(const std::string& file, std::string_view text) {
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0666);
    if (fd < 0) return base::LastIoError(base::IoOperation::Open);
    struct stat info {};
    const off_t before = ::fstat(fd, &info) == 0 ? info.st_size : -1;
    int result = 0;
    for (std::size_t done = 0; done < text.size();) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            result = n < 0 ? base::LastIoError(base::IoOperation::Write)
                           : base::IoErrorCode(ENOSPC, base::IoOperation::Write);
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    if (result != 0 && before >= 0) {
        // Take back a partial report so the file holds only whole ones; the
        // caller hears of the write's error, which says more than this one's.
        const int truncated = ::ftruncate(fd, before);
        static_cast<void>(truncated);
    }
    if (::close(fd) != 0 && result == 0) result = base::LastIoError(base::IoOperation::Close);
    return result;
}

}  // namespace

int WriteReportFile(const std::string& file, bool append, std::string_view text) {
    if (append) return AppendToFile(file, text);
    try {
        base::ReplaceFileAtomically(file, text);
    } catch (const std::system_error& error) {
        return base::IoErrorCode(error.code().value(), base::IoOperation::Write);
    }
    return 0;
}

}  // namespace vl::serial
