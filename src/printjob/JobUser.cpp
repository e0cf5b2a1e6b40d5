#include "printjob/JobUser.h"

#include <grp.h>
#include <pwd.h>
#include <stdlib.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

namespace vl::printjob {

std::string BecomeJobUser(const std::string& user) {
    if (user.empty()) return "the job names no user";
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    const int rc = getpwnam_r(user.c_str(), &entry, buffer.data(), buffer.size(), &found);
    if (rc != 0 || found == nullptr) return "the job's user " + user + " is not known on this computer";
    if (initgroups(entry.pw_name, entry.pw_gid) != 0 || setgid(entry.pw_gid) != 0 || setuid(entry.pw_uid) != 0)
        return "cannot act as the job's user " + user + ": " + std::strerror(errno);
    // setuid from root to another user cannot be undone; if it can, it did not happen.
    if (entry.pw_uid != 0 && setuid(0) == 0) return "the job's user " + user + " could not be taken on";
    setenv("HOME", entry.pw_dir, 1);
    setenv("USER", entry.pw_name, 1);
    setenv("LOGNAME", entry.pw_name, 1);
    // The print system's temporary folder is not the user's to write in.
    unsetenv("TMPDIR");
    if (chdir(entry.pw_dir) != 0 && chdir("/") != 0) return "cannot enter any folder as " + user;
    return {};
}

}  // namespace vl::printjob
