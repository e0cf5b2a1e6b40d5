// Finding a file or folder by a name the program matches without regard to
// letter case, on a file system that tells "VLOUT.DBF" from "vlout.dbf".
#pragma once

#include <string>
#include <string_view>

namespace vl::base {

// folder + relative, each part of `relative` (between "/") spelled as the
// entry on disk is: as given when an entry of exactly that name exists, else
// as the entry that matches it without regard to ASCII letter case (the
// first in byte order when several do), else as given, and then so are the
// parts after it, so that a file created through the result gets the
// program's own spelling. `folder` is empty (the current folder) or ends in
// "/"; a trailing "/" of `relative` is kept, "." and ".." are left alone.
std::string PathNoCase(const std::string& folder, std::string_view relative);

}  // namespace vl::base
