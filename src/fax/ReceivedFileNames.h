// Names for received fax files when the receive component's owner does not
// choose one.
#pragma once

#include <ctime>
#include <functional>
#include <string>

namespace vl::fax {

enum class ReceiveNaming {
    Counter = 1,  // "FAX0001.APF"
    Date = 2,     // month and day first: "12080001.APF" on 8 December
};

inline constexpr int kLastReceiveNumber = 9999;

// The name of the next received file: the destination folder (a "/" added
// when it lacks one; nothing when the folder is empty), then "FAX" or the
// month and day as MMDD, a four-digit number, "." and `extension`. The number
// is the lowest from 1 to 9999 for which `exists` answers false for the whole
// name. When all are taken the name is "NONAME.APF" in the same folder.
std::string ReceivedFileName(ReceiveNaming naming, const std::string& folder, const std::string& extension,
                             const std::tm& today, const std::function<bool(const std::string&)>& exists);

// The same, asking the file system. A dangling symbolic link counts as taken:
// creating the file would write through it.
std::string ReceivedFileName(ReceiveNaming naming, const std::string& folder, const std::string& extension,
                             const std::tm& today);

}  // namespace vl::fax
