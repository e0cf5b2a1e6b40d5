#include "base/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <system_error>

namespace vl::base {

namespace {

[[noreturn]] void ThrowErrno(const char* what) {
    throw std::system_error(errno, std::generic_category(), what);
}

// The file to replace: the target of a symbolic link, else the path itself.
std::string ResolveTarget(const std::string& path) {
    struct stat st {};
    if (lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
    char resolved[PATH_MAX];
    if (!realpath(path.c_str(), resolved)) return path;
    return resolved;
}

std::string FolderOf(const std::string& file) {
    size_t slash = file.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : file.substr(0, slash);
}

// Creates a temporary file beside the target: a hidden name that no pattern
// the program scans for ("*.APF", "*.KQD", ...) can match.
int CreateTemporary(const std::string& target, std::string& tempName) {
    static std::atomic<unsigned> counter{0};
    size_t slash = target.rfind('/');
    std::string folder = slash == std::string::npos ? "" : target.substr(0, slash + 1);
    std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempName = folder + "." + base + ".tmp-" + std::to_string(getpid()) + "-" +
                   std::to_string(counter.fetch_add(1));
        int fd = open(tempName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

void WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t n = write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            ThrowErrno("write");
        }
        bytes.remove_prefix(static_cast<size_t>(n));
    }
}

// Makes the rename itself durable; a folder that cannot be synced (some file
// systems refuse) does not make the write fail.
void SyncFolder(const std::string& folder) {
    int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    fsync(fd);
    close(fd);
}

}  // namespace

void ReplaceFileAtomically(const std::string& path, std::string_view bytes) {
    const std::string target = ResolveTarget(path);
    std::string tempName;
    int fd = CreateTemporary(target, tempName);
    if (fd < 0) ThrowErrno("create temporary file");
    try {
        struct stat st {};
        if (stat(target.c_str(), &st) == 0 && fchmod(fd, st.st_mode & 07777) != 0) ThrowErrno("fchmod");
        WriteAll(fd, bytes);
        if (fsync(fd) != 0) ThrowErrno("fsync");
        int closed = close(fd);
        fd = -1;
        if (closed != 0) ThrowErrno("close");
        if (rename(tempName.c_str(), target.c_str()) != 0) ThrowErrno("rename");
    } catch (...) {
        if (fd >= 0) close(fd);
        unlink(tempName.c_str());
        throw;
    }
    SyncFolder(FolderOf(target));
}

}  // namespace vl::base
