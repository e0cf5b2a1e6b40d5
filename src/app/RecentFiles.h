// The designer's most-recently-used design files, most recent first, kept
// in a section of the settings file under the keys "F0", "F1", ...
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "app/ProgramFolders.h"
#include "base/IniFile.h"

namespace vl::app {

inline constexpr std::string_view kRecentFilesSection = "CDMRU";

class RecentFiles {
public:
    static constexpr std::size_t kDefaultMaximum = 5;

    explicit RecentFiles(std::size_t maximum = kDefaultMaximum, std::string_view section = kRecentFilesSection);

    // Puts the path at the top, moving it there when it is already listed
    // (paths match exactly: the file system tells letter cases apart); the
    // oldest entry drops off when the list is over its maximum.
    void Add(std::string path);
    void Remove(std::string path);

    const std::vector<std::string>& Files() const { return files_; }

    // Replaces the list with the section's keys from "F0" up; empty values
    // and repeats are skipped, and no more than the maximum are taken.
    void Load(const base::IniFile& ini);
    // Rewrites the section: one key per entry, none left from longer lists.
    // A path with a line break is left out.
    void Store(base::IniFile& ini) const;

    // The same with the settings file read and (for Store) written back
    // whole; writing throws base::EIniWriteError.
    void Load(const std::string& fileName = SettingsFileName());
    void Store(const std::string& fileName = SettingsFileName()) const;

    // The menu caption of the entry at `index` (from 0): "&" + its position
    // from 1, a blank and the path, with the path's own "&" doubled so that
    // it shows as written instead of making a shortcut.
    static std::string MenuCaption(std::size_t index, std::string_view path);

private:
    std::size_t maximum_;
    std::string section_;
    std::vector<std::string> files_;
};

}  // namespace vl::app
