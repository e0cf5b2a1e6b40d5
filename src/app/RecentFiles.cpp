#include "app/RecentFiles.h"

#include <algorithm>

#include "app/MenuText.h"

namespace vl::app {

namespace {

std::string Key(std::size_t index) { return "F" + std::to_string(index); }

}  // namespace

RecentFiles::RecentFiles(std::size_t maximum, std::string_view section) : maximum_(maximum), section_(section) {}

// By value: the path may be one of the list's own entries.
void RecentFiles::Add(std::string path) {
    Remove(path);
    files_.insert(files_.begin(), std::move(path));
    if (files_.size() > maximum_) files_.resize(maximum_);
}

void RecentFiles::Remove(std::string path) { std::erase(files_, path); }

void RecentFiles::Load(const base::IniFile& ini) {
    files_.clear();
    for (std::size_t i = 0; files_.size() < maximum_ && ini.HasKey(section_, Key(i)); ++i) {
        std::string path = ini.ReadString(section_, Key(i), "");
        if (!path.empty() && std::find(files_.begin(), files_.end(), path) == files_.end())
            files_.push_back(std::move(path));
    }
}

void RecentFiles::Store(base::IniFile& ini) const {
    ini.RemoveKeys(section_);
    std::size_t stored = 0;
    for (const std::string& path : files_) {
        // A line break cannot be stored in a settings line; that file is
        // only remembered for this run.
        if (path.find_first_of("\r\n") == std::string::npos) ini.WriteString(section_, Key(stored++), path);
    }
}

void RecentFiles::Load(const std::string& fileName) { Load(base::IniFile::Load(fileName)); }

void RecentFiles::Store(const std::string& fileName) const {
    base::IniFile ini = base::IniFile::Load(fileName);
    Store(ini);
    ini.Save();
}

std::string RecentFiles::MenuCaption(std::size_t index, std::string_view path) {
    return "&" + std::to_string(index + 1) + " " + LiteralMenuText(path);
}

}  // namespace vl::app
