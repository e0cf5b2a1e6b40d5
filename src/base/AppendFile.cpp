#include "base/AppendFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "base/ErrorCodes.h"
#include "base/IoErrors.h"

namespace vl::base {

int AppendToFile(const std::string& name, std::string_view text) {
    const int fd = open(name.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) return LastIoError(IoOperation::Open);
    std::size_t written = 0;
    int rc = 0;
    while (written < text.size() && rc == 0) {
        const ssize_t n = write(fd, text.data() + written, text.size() - written);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) rc = n < 0 ? LastIoError(IoOperation::Write) : ecDeviceWrite;
        else written += static_cast<std::size_t>(n);
    }
    if (close(fd) != 0 && rc == 0) rc = LastIoError(IoOperation::Close);
    return rc;
}

}  // namespace vl::base
