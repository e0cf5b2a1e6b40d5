#include "serial/UucpLock.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <fstream>

#include "base/ErrorCodes.h"

namespace vl::serial {

namespace {

std::string InFolder(const std::string& folder, const std::string& name) {
    if (!folder.empty() && folder.back() == '/') return folder + name;
    return folder + "/" + name;
}

// The PID in a lock file; 0 when the file is missing, -1 when it holds none.
pid_t ReadLockPid(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return 0;
    std::string text(64, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<std::size_t>(in.gcount()));
    return ParseLockPid(text);
}

bool ProcessAlive(pid_t pid) { return kill(pid, 0) == 0 || errno != ESRCH; }

// Writes the lock through a private file that is then linked to the lock
// name, so that nobody ever reads a half-written lock and two takers cannot
// both win. 0, EEXIST when the lock exists, else another errno value.
int CreateLock(const std::string& lockFile) {
    const std::string temporary = lockFile + ".tmp" + std::to_string(getpid());
    // Lock folders are writable by everyone: never follow or reuse a file
    // someone else put under the temporary name.
    constexpr int kFlags = O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC;
    int fd = open(temporary.c_str(), kFlags, 0644);
    if (fd < 0 && errno == EEXIST && unlink(temporary.c_str()) == 0) fd = open(temporary.c_str(), kFlags, 0644);
    if (fd < 0) return errno == EEXIST ? EACCES : errno;
    char text[16];
    const int length = std::snprintf(text, sizeof text, "%10d\n", static_cast<int>(getpid()));
    const bool written = write(fd, text, static_cast<std::size_t>(length)) == length;
    const int writeError = errno;
    close(fd);
    int result = 0;
    if (!written) {
        result = writeError != 0 ? writeError : EIO;
    } else if (link(temporary.c_str(), lockFile.c_str()) != 0) {
        result = errno;
    }
    unlink(temporary.c_str());
    return result;
}

}  // namespace

std::string LockFileName(const std::string& devicePath) {
    const std::size_t slash = devicePath.find_last_of('/');
    return "LCK.." + (slash == std::string::npos ? devicePath : devicePath.substr(slash + 1));
}

pid_t ParseLockPid(std::string_view text) {
    const std::size_t begin = text.find_first_not_of(" \t");
    if (begin == std::string_view::npos) return -1;
    long pid = 0;
    const char* end = text.data() + text.size();
    const auto [rest, error] = std::from_chars(text.data() + begin, end, pid);
    if (error != std::errc() || pid <= 0 || pid > 0x3fffffff) return -1;
    if (rest != end && *rest != '\n' && *rest != ' ' && *rest != '\r') return -1;
    return static_cast<pid_t>(pid);
}

std::string ProcessName(pid_t pid, const std::string& procFolder) {
    std::ifstream in(procFolder + std::to_string(pid) + "/comm");
    std::string name;
    std::getline(in, name);
    return name;
}

std::vector<std::string> LockFolders(const std::string& fallbackFolder) {
    std::vector<std::string> folders = {"/var/lock/", "/run/lock/"};
    if (!fallbackFolder.empty()) folders.push_back(fallbackFolder);
    return folders;
}

std::optional<LockOwner> LockHolder(const std::string& devicePath, const std::vector<std::string>& folders) {
    for (const std::string& folder : folders) {
        const pid_t pid = ReadLockPid(InFolder(folder, LockFileName(devicePath)));
        if (pid > 0 && ProcessAlive(pid)) return LockOwner{pid, ProcessName(pid)};
    }
    return std::nullopt;
}

UucpLock::~UucpLock() { Release(); }

int UucpLock::Acquire(const std::string& devicePath, const std::vector<std::string>& folders) {
    Release();
    const std::string name = LockFileName(devicePath);
    for (const std::string& folder : folders) {
        const std::string file = InFolder(folder, name);
        const pid_t pid = ReadLockPid(file);
        if (pid > 0 && ProcessAlive(pid)) return base::ecPortInUse;
        if (pid != 0) unlink(file.c_str());  // a dead owner's or an unreadable lock
    }
    for (const std::string& folder : folders) {
        const std::string file = InFolder(folder, name);
        const int error = CreateLock(file);
        if (error == 0) {
            fileName_ = file;
            return 0;
        }
        // Someone took it between the check and now.
        if (error == EEXIST) return base::ecPortInUse;
    }
    return 0;
}

void UucpLock::Release() {
    if (fileName_.empty()) return;
    // Only a lock that is still ours: someone may have removed it as stale.
    if (ReadLockPid(fileName_) == getpid()) unlink(fileName_.c_str());
    fileName_.clear();
}

}  // namespace vl::serial
