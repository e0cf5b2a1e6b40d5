#include "base/PathNoCase.h"

#include <dirent.h>
#include <sys/stat.h>

#include "base/TextCase.h"

namespace vl::base {

namespace {

bool Exists(const std::string& path) {
    struct stat st {};
    return lstat(path.c_str(), &st) == 0;
}

// The entry of `folder` that is `name` in some letter case, first in byte
// order; empty when there is none or the folder cannot be read.
std::string MatchIn(const std::string& folder, std::string_view name) {
    std::string found;
    DIR* dir = opendir(folder.empty() ? "." : folder.c_str());
    if (!dir) return found;
    while (const dirent* entry = readdir(dir)) {
        const std::string_view candidate = entry->d_name;
        if (EqualsNoCase(candidate, name) && (found.empty() || candidate < found)) found = candidate;
    }
    closedir(dir);
    return found;
}

}  // namespace

std::string PathNoCase(const std::string& folder, std::string_view relative) {
    std::string path = folder;
    bool searching = true;  // until a part is missing in every spelling
    while (!relative.empty()) {
        const size_t slash = relative.find('/');
        const std::string_view part = relative.substr(0, slash);
        relative = slash == std::string_view::npos ? std::string_view() : relative.substr(slash + 1);
        std::string spelled(part);
        if (searching && !part.empty() && part != "." && part != ".." && !Exists(path + spelled)) {
            spelled = MatchIn(path, part);
            if (spelled.empty()) {
                spelled = part;
                searching = false;
            }
        }
        path += spelled;
        if (slash != std::string_view::npos) path += '/';
    }
    return path;
}

}  // namespace vl::base
