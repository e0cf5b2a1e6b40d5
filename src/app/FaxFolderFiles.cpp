#include "app/FaxFolderFiles.h"

#include <filesystem>
#include <system_error>

#include "base/PathNoCase.h"
#include "store/FaxRecordColumns.h"

namespace vl::app {

namespace {

bool IsBareFileName(std::string_view name) {
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string_view::npos &&
           name.find('\0') == std::string_view::npos;
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

}  // namespace

std::string FaxFolderPath(const std::string& programFolder, FaxFolder folder) {
    return base::PathNoCase(programFolder, folder == FaxFolder::Send ? "SEND/" : "RECEIVE/");
}

std::optional<std::string> ExistingFaxFile(const std::string& programFolder, FaxFolder folder, std::string_view name) {
    name = Trimmed(name);
    if (!IsBareFileName(name)) return std::nullopt;
    // The list's file columns already find a name in any letter case.
    const std::string path = folder == FaxFolder::Send ? store::CalcFaxFile(programFolder, name)
                                                       : store::CalcReceivedFaxFile(programFolder, name);
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return std::nullopt;
    return path;
}

std::string CoverDataName(std::string_view coverFile) {
    coverFile = Trimmed(coverFile);
    const size_t dot = coverFile.rfind('.');
    return std::string(coverFile.substr(0, dot)) + ".fcd";
}

void RemoveFaxFile(const std::string& programFolder, FaxFolder folder, std::string_view name) {
    if (const auto path = ExistingFaxFile(programFolder, folder, name)) {
        std::error_code ec;
        std::filesystem::remove(*path, ec);
    }
}

std::string FileNameOf(const std::string& path) { return std::filesystem::path(path).filename().string(); }

}  // namespace vl::app
