// Names for new fax files and copying them.
#pragma once

#include <functional>
#include <string>

namespace vl::app {

// folder + prefix + the first free five-digit number from 00000 + ".APF"; when
// 00000 to 99998 are all taken, the name with 99999 whether or not it exists.
// A name counts as taken when a file of that name exists in any letter case
// ("fax00001.apf" takes FAX00001.APF). Nothing is created.
std::string NextFreeFaxFileName(const std::string& folder, const std::string& prefix);
// The number such a name carries: the first from 0 that is not taken, or
// 99999 when 0 to 99998 all are.
int FirstFreeFaxNumber(const std::function<bool(int)>& taken);
// The same in SendFolder() and in ProgramFolder().
std::string NextSendFileName(const std::string& prefix);
std::string NextProgramFileName(const std::string& prefix);

// Moves the file to a name that no file has; false, with nothing moved, when
// one took that name meanwhile or the move failed.
bool MoveToFreeName(const std::string& from, const std::string& to);

// Copies source to target in blocks of 2048 bytes. False, and nothing done,
// when both name the same file (copying a file onto itself would empty it).
// False when either file cannot be opened, and false when reading or writing
// fails part-way; a target that was started is then removed, so a true result
// always means a complete copy.
bool CopyFaxFile(const std::string& source, const std::string& target);

}  // namespace vl::app
