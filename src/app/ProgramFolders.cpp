#include "app/ProgramFolders.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>

#include "base/PathNoCase.h"

namespace vl::app {

namespace {

std::string WithSlash(std::string folder) {
    if (folder.empty() || folder.back() != '/') folder += '/';
    return folder;
}

std::string HomeFolder() {
    const char* home = std::getenv("HOME");
    if (home && *home) return home;
    const passwd* pw = getpwuid(getuid());
    return pw && pw->pw_dir ? pw->pw_dir : "/";
}

bool IsFolder(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace

std::string ProgramFolder() {
    const char* home = std::getenv("VELLORA_HOME");
    if (home && *home) {
        std::error_code ec;
        std::filesystem::path absolute = std::filesystem::absolute(home, ec);
        return WithSlash(ec ? std::string(home) : absolute.string());
    }
    // A relative XDG_DATA_HOME is invalid and must be ignored.
    const char* data = std::getenv("XDG_DATA_HOME");
    if (data && data[0] == '/') return WithSlash(data) + "vellora/";
    return WithSlash(HomeFolder()) + ".local/share/vellora/";
}

std::string ProgramFile(std::string_view name) { return base::PathNoCase(ProgramFolder(), name); }
std::string SendFolder() { return ProgramFile("SEND/"); }
std::string ReceiveFolder() { return ProgramFile("RECEIVE/"); }
std::string CoversFolder() { return ProgramFile("Covers/"); }
std::string SettingsFileName() { return ProgramFile("VL.INI"); }

std::string ExecutableFolder() {
    std::error_code ec;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) return "./";
    return WithSlash(exe.parent_path().string());
}

std::string SharedFolder() {
    const std::string installed = ExecutableFolder() + "../share/vellora/";
    if (IsFolder(installed)) return installed;
    return VL_BUILD_SHARED_FOLDER;
}

bool ForceFolders(const std::string& path) {
    std::string folder = path;
    if (!folder.empty() && folder.back() == '/') folder.pop_back();
    if (folder.size() <= 2 || IsFolder(folder)) return true;
    size_t slash = folder.rfind('/');
    if (slash != std::string::npos && !ForceFolders(folder.substr(0, slash + 1))) return false;
    // Another process may create it at the same moment; that is success too.
    return mkdir(folder.c_str(), 0777) == 0 || (errno == EEXIST && IsFolder(folder));
}

void EnsureFaxFolders() {
    ForceFolders(ProgramFolder());
    ForceFolders(SendFolder());
    ForceFolders(ReceiveFolder());
}

}  // namespace vl::app
