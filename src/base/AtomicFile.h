// Replacing a file's contents so that a crash or a full disk leaves either the
// old file or the new one, never a part of either.
#pragma once

#include <string>
#include <string_view>

namespace vl::base {

// Writes the bytes to a temporary file in the same folder, flushes it to disk
// and renames it over the path. When the path is a symbolic link, the file it
// points to is replaced and the link stays. An existing file keeps its
// permission bits. Throws std::system_error on failure; the old file is then
// untouched and no temporary file is left behind.
void ReplaceFileAtomically(const std::string& path, std::string_view bytes);

}  // namespace vl::base
