// Joins several APF files into one temporary file, so that they go out in one
// call: the first file whole, then the pages of every further file, with the
// page counts added in the joined header.
#pragma once

#include <string>
#include <vector>

namespace vl::fax {

// Makes "~VL" + a unique suffix + "." + `extension` in the system temporary
// folder ($TMPDIR or /tmp) and answers its name in `joinedName`; the extension
// is the fax file extension, which the sender adds to a name without one.
// Returns 0, -8001 when a file lacks the APF signature or the pages add up to
// more than a header can count, or the negated I/O code; on any failure no
// temporary file is left.
int JoinFaxFiles(const std::vector<std::string>& files, const std::string& extension, std::string& joinedName);

}  // namespace vl::fax
