#include "printfax/FaxDrop.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <exception>
#include <filesystem>
#include <system_error>

#include "app/FaxFileNames.h"

namespace vl::printfax {

namespace {

// Jobs that finish together each take a name; past this many lost races
// something else fills the folder.
constexpr int kNameTries = 100;

// The file's bytes on disk before its name says it is complete.
bool SyncFile(const std::string& path) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool synced = fsync(fd) == 0;
    return close(fd) == 0 && synced;
}

}  // namespace

std::string DropFax(const std::string& sendFolder, const std::string& finishedFile,
                    const app::PrinterDriverSidecar& fields, std::string& faxFile) {
    faxFile.clear();
    if (!SyncFile(finishedFile)) return "the fax file could not be written: " + std::string(std::strerror(errno));
    std::string target;
    for (int i = 0; i < kNameTries && faxFile.empty(); ++i) {
        target = app::NextFreeFaxFileName(sendFolder, "FAX");
        if (app::MoveToFreeName(finishedFile, target)) faxFile = target;
        else if (std::error_code ec; !std::filesystem::exists(target, ec))
            return "the fax file could not be moved into " + sendFolder;
    }
    if (faxFile.empty()) return "no free fax file name is left in " + sendFolder;
    try {
        app::WriteSidecar(faxFile.substr(0, faxFile.size() - 4) + ".KQD", fields);
    } catch (const std::exception& e) {
        std::error_code ec;
        std::filesystem::remove(faxFile, ec);
        faxFile.clear();
        return std::string("the fax's sidecar could not be written: ") + e.what();
    }
    return {};
}

}  // namespace vl::printfax
