// Lock files as other programs leave them, for the lock tests.
#pragma once

#include <sys/types.h>

#include <string>

namespace vl::test {

// A UUCP lock file's contents for the process.
std::string LockText(pid_t pid);
// The PID of a process that has ended.
pid_t DeadPid();

}  // namespace vl::test
