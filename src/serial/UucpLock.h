// UUCP lock files: "LCK..<device name>" holding the owner's PID as ten ASCII
// digits and a line feed, the convention other serial programs on the system
// follow, so that each sees a port the other uses as busy.
#pragma once

#include <sys/types.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vl::serial {

// "LCK.." and the last part of the device path ("/dev/ttyUSB0" -> "LCK..ttyUSB0").
std::string LockFileName(const std::string& devicePath);

// The lock folders of the system, then `fallbackFolder` (the program folder)
// when not empty.
std::vector<std::string> LockFolders(const std::string& fallbackFolder);

// The PID a lock file holds: ten ASCII digits as written here, or any
// decimal number with blanks around it as other programs write it; -1 when it
// holds no PID.
pid_t ParseLockPid(std::string_view text);

// The program name of a process, from PID/comm in the proc folder (ending
// in "/"); empty when unreadable.
std::string ProcessName(pid_t pid, const std::string& procFolder = "/proc/");

struct LockOwner {
    pid_t pid = 0;
    std::string program;  // from /proc/PID/comm; empty when unreadable
};

// The live process holding a lock on the device in any of the folders.
std::optional<LockOwner> LockHolder(const std::string& devicePath, const std::vector<std::string>& folders);

class UucpLock {
public:
    UucpLock() = default;
    ~UucpLock();
    UucpLock(const UucpLock&) = delete;
    UucpLock& operator=(const UucpLock&) = delete;

    // Refuses with ecPortInUse when a live process (this one included) holds
    // a lock on the device in any of the folders; locks of dead processes and
    // unreadable locks are removed. Otherwise writes the lock into the first
    // folder where that works and answers 0; when none takes it, answers 0
    // without a lock (the device's own exclusive mode still guards it).
    int Acquire(const std::string& devicePath, const std::vector<std::string>& folders);
    // Removes the lock file, if this object wrote one.
    void Release();
    // The lock file written, or empty.
    const std::string& FileName() const { return fileName_; }

private:
    std::string fileName_;
};

}  // namespace vl::serial
