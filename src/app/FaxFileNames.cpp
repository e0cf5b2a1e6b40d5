#include "app/FaxFileNames.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <set>

#include "app/ProgramFolders.h"
#include "base/FreeNumbers.h"
#include "base/TextCase.h"

namespace vl::app {

namespace {

constexpr int kLastNumber = 99999;
constexpr size_t kCopyBlock = 2048;

std::string NumberedName(const std::string& prefix, int number) {
    char digits[8];
    std::snprintf(digits, sizeof digits, "%5.5d", number);
    return prefix + digits + ".APF";
}

// The upper-cased names of the entries in a folder; empty when it cannot be read.
std::set<std::string> UpperNamesIn(const std::string& folder) {
    std::set<std::string> names;
    std::error_code ec;
    std::filesystem::directory_iterator it(folder.empty() ? "." : folder, ec);
    for (; !ec && it != std::filesystem::directory_iterator(); it.increment(ec))
        names.insert(base::UpperAscii(it->path().filename().string()));
    return names;
}

bool IsSameFile(const std::string& a, const std::string& b) {
    struct stat sa {};
    struct stat sb {};
    return stat(a.c_str(), &sa) == 0 && stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}

bool WriteAll(int fd, const char* data, size_t size) {
    while (size > 0) {
        ssize_t n = write(fd, data, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        data += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

// Copies exactly `length` bytes; false on a read error, on a source shorter
// than its length said, or on a write error.
bool CopyBytes(int in, int out, off_t length) {
    char block[kCopyBlock];
    while (length > 0) {
        size_t want = length < static_cast<off_t>(sizeof block) ? static_cast<size_t>(length) : sizeof block;
        ssize_t n = read(in, block, want);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0 || !WriteAll(out, block, static_cast<size_t>(n))) return false;
        length -= n;
    }
    return true;
}

}  // namespace

std::string NextFreeFaxFileName(const std::string& folder, const std::string& prefix) {
    // The prefix may itself name a subfolder; match names in the folder that
    // actually holds the files.
    std::string path = folder + prefix;
    size_t slash = path.rfind('/');
    std::string holder = slash == std::string::npos ? "" : path.substr(0, slash + 1);
    std::string namePrefix = path.substr(holder.size());
    const std::set<std::string> taken = UpperNamesIn(holder);

    auto exists = [&](int n) {
        std::string name = NumberedName(namePrefix, n);
        // The listing misses names in a folder that can be searched but not read.
        std::error_code ec;
        return taken.count(base::UpperAscii(name)) > 0 || std::filesystem::exists(holder + name, ec);
    };
    return holder + NumberedName(namePrefix, FirstFreeFaxNumber(exists));
}

int FirstFreeFaxNumber(const std::function<bool(int)>& taken) {
    return base::FirstFreeNumber(0, kLastNumber - 1, taken).value_or(kLastNumber);
}

std::string NextSendFileName(const std::string& prefix) { return NextFreeFaxFileName(SendFolder(), prefix); }

std::string NextProgramFileName(const std::string& prefix) {
    return NextFreeFaxFileName(ProgramFolder(), prefix);
}

bool MoveToFreeName(const std::string& from, const std::string& to) {
    if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
    // File systems that cannot refuse to replace: check, then move.
    std::error_code ec;
    if (errno != EINVAL || std::filesystem::exists(to, ec)) return false;
    std::filesystem::rename(from, to, ec);
    return !ec;
}

bool CopyFaxFile(const std::string& source, const std::string& target) {
    if (source == target || IsSameFile(source, target)) return false;
    int in = open(source.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) return false;
    struct stat st {};
    if (fstat(in, &st) != 0 || !S_ISREG(st.st_mode)) {
        close(in);
        return false;
    }
    int out = open(target.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (out < 0) {
        close(in);
        return false;
    }
    // Only a regular file is removed after a failed copy: a target such as
    // /dev/null must survive.
    struct stat targetStat {};
    bool regularTarget = fstat(out, &targetStat) == 0 && S_ISREG(targetStat.st_mode);
    bool copied = CopyBytes(in, out, st.st_size);
    close(in);
    if (close(out) != 0) copied = false;
    if (!copied && regularTarget) unlink(target.c_str());
    return copied;
}

}  // namespace vl::app
