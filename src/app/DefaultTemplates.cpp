#include "app/DefaultTemplates.h"

#include <filesystem>
#include <string_view>
#include <system_error>
#include <vector>

#include "app/ProgramFolders.h"
#include "base/AtomicFile.h"
#include "base/ErrorCodes.h"
#include "base/FileBytes.h"
#include "base/IoErrors.h"
#include "base/PathNoCase.h"
#include "base/TextCase.h"

namespace vl::app {

namespace {

namespace fs = std::filesystem;

// A template's preview picture is the largest of its files.
constexpr long kMaxTemplateFileBytes = 16L * 1024 * 1024;

bool IsRenderFile(const fs::path& file) { return base::EqualsNoCase(file.extension().string(), ".fct"); }

int CopyFile(const fs::path& from, const std::string& to) {
    std::vector<std::uint8_t> bytes;
    if (const int rc = base::ReadFileBytes(from.string(), bytes, kMaxTemplateFileBytes, base::ecFaxBadFormat);
        rc != base::ecOK)
        return rc;
    try {
        base::ReplaceFileAtomically(to, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    } catch (const std::system_error& error) {
        return base::IoErrorCode(error.code().value(), base::IoOperation::Write);
    }
    return base::ecOK;
}

// The shipped files of one template, its render file last.
std::vector<fs::path> FilesOfTemplate(const std::vector<fs::path>& shipped, const fs::path& renderFile) {
    std::vector<fs::path> files;
    for (const fs::path& file : shipped)
        if (file != renderFile && base::EqualsNoCase(file.stem().string(), renderFile.stem().string()))
            files.push_back(file);
    files.push_back(renderFile);
    return files;
}

}  // namespace

int CopyMissingTemplates(const std::string& shippedFolder, const std::string& coversFolder) {
    std::error_code ec;
    std::vector<fs::path> shipped;
    for (const fs::directory_entry& entry : fs::directory_iterator(shippedFolder, ec))
        if (entry.is_regular_file(ec)) shipped.push_back(entry.path());
    if (ec) return base::IoErrorCode(ec.value(), base::IoOperation::Read);

    int first = base::ecOK;
    for (const fs::path& renderFile : shipped) {
        if (!IsRenderFile(renderFile) || fs::exists(base::PathNoCase(coversFolder, renderFile.filename().string()), ec))
            continue;
        // A template stops at its first failure, before its render file.
        for (const fs::path& file : FilesOfTemplate(shipped, renderFile)) {
            const int rc = CopyFile(file, base::PathNoCase(coversFolder, file.filename().string()));
            if (rc == base::ecOK) continue;
            if (first == base::ecOK) first = rc;
            break;
        }
    }
    return first;
}

void InstallDefaultTemplates() {
    if (ForceFolders(CoversFolder())) CopyMissingTemplates(SharedFolder() + "Covers/", CoversFolder());
}

}  // namespace vl::app
