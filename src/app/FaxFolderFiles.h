// The fax files a record names, in the send or the receive folder of the
// program folder. Records hold bare file names; one that would reach outside
// its folder ("../VL.INI", "a/b") names no fax file, so nothing is read,
// copied or removed through it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vl::app {

enum class FaxFolder { Send, Receive };

std::string FaxFolderPath(const std::string& programFolder, FaxFolder folder);

// The path of the existing file of that name (matched without regard to
// letter case); nothing when the name is blank, is not a bare file name, or
// names no file.
std::optional<std::string> ExistingFaxFile(const std::string& programFolder, FaxFolder folder, std::string_view name);

// The cover data file beside a cover page: the same name with ".fcd".
std::string CoverDataName(std::string_view coverFile);

// Removes the named file when there is one; failures are ignored.
void RemoveFaxFile(const std::string& programFolder, FaxFolder folder, std::string_view name);

// The name part of a path.
std::string FileNameOf(const std::string& path);

}  // namespace vl::app
