// The print system runs its backend as root; the job is the user's, and
// so are the folder it goes into and the Vellora told of it.
#pragma once

#include <string>

namespace vl::printjob {

// Takes on the identity of `user` for good: groups, group, then user, and
// the environment a program of theirs sees (HOME, USER, LOGNAME; no TMPDIR
// of the print system's). Empty when done, else why not; on failure the
// process may be left part way, and must not go on with the job.
std::string BecomeJobUser(const std::string& user);

}  // namespace vl::printjob
