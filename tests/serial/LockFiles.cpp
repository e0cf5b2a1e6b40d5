#include "LockFiles.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>

namespace vl::test {

std::string LockText(pid_t pid) {
    char text[16];
    std::snprintf(text, sizeof text, "%10d\n", static_cast<int>(pid));
    return text;
}

pid_t DeadPid() {
    const pid_t child = fork();
    if (child == 0) _exit(0);
    waitpid(child, nullptr, 0);
    return child;
}

}  // namespace vl::test
