#include "printfax/JobInput.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace vl::printfax {

namespace {

constexpr std::size_t kBlock = 1 << 16;
constexpr std::size_t kMiB = 1 << 20;

std::string SizeText(std::size_t bytes) {
    return bytes >= kMiB ? std::to_string(bytes / kMiB) + " MiB" : std::to_string(bytes) + " bytes";
}

// Reads until the end or one byte past the limit, so a larger input shows
// without being read whole.
std::string ReadAll(int fd, const std::string& name, std::string& bytes, std::size_t maxBytes) {
    bytes.clear();
    for (;;) {
        const std::size_t had = bytes.size();
        const std::size_t want = std::min(kBlock, maxBytes + 1 - had);
        bytes.resize(had + want);
        const ssize_t n = read(fd, bytes.data() + had, want);
        if (n < 0 && errno == EINTR) {
            bytes.resize(had);
            continue;
        }
        if (n < 0) {
            const int error = errno;
            bytes.clear();
            return name + ": " + std::strerror(error);
        }
        bytes.resize(had + static_cast<std::size_t>(n));
        if (n == 0) return {};
        if (bytes.size() > maxBytes) {
            bytes.clear();
            return name + " holds more than " + SizeText(maxBytes) + ", more than a fax can carry";
        }
    }
}

}  // namespace

std::string ReadJobInput(const std::string& input, std::string& bytes, std::size_t maxBytes) {
    if (input == "-") return ReadAll(STDIN_FILENO, "standard input", bytes, maxBytes);
    const int fd = open(input.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return input + ": " + std::strerror(errno);
    std::string failure = ReadAll(fd, input, bytes, maxBytes);
    close(fd);
    return failure;
}

}  // namespace vl::printfax
