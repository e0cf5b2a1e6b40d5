#include "fax/FaxFileJoin.h"

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <limits>

#include "base/ErrorCodes.h"
#include "faxdoc/ApfFormat.h"
#include "faxdoc/ApfReader.h"
#include "faxdoc/BufferedOutput.h"
#include "faxdoc/IoErrors.h"

namespace vl::fax {

namespace {

// Makes an empty file of a unique name with the extension in the temporary
// folder.
int MakeTemporaryFile(const std::string& extension, std::string& name) {
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::temp_directory_path(error);
    if (error) return base::IoErrorCode(error.value(), base::IoOperation::Open);
    const std::string suffix = "." + extension;
    std::string pattern = (folder / ("~VLXXXXXX" + suffix)).string();
    const int fd = mkstemps(pattern.data(), static_cast<int>(suffix.size()));
    if (fd < 0) return faxdoc::LastIoError(faxdoc::IoOperation::Open);
    close(fd);
    name = pattern;
    return 0;
}

// Copies the bytes of `fileName` from offset `from` to its end.
int CopyFrom(const std::string& fileName, off_t from, faxdoc::BufferedOutput& out) {
    const int fd = open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return faxdoc::LastIoError(faxdoc::IoOperation::Open);
    std::array<std::uint8_t, 65536> buffer;
    int rc = 0;
    while (rc == 0) {
        const ssize_t n = pread(fd, buffer.data(), buffer.size(), from);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) rc = faxdoc::LastIoError(faxdoc::IoOperation::Read);
        if (n <= 0) break;
        rc = out.Write(buffer.data(), static_cast<std::size_t>(n));
        from += n;
    }
    close(fd);
    return rc;
}

int Join(const std::vector<std::string>& files, const std::string& joinedName) {
    faxdoc::BufferedOutput out;
    if (const int rc = out.Create(joinedName); rc != 0) return rc;
    faxdoc::ApfFileHeader joined;
    for (std::size_t i = 0; i < files.size(); ++i) {
        faxdoc::ApfFileHeader header;
        if (const int rc = faxdoc::ApfReadHeader(files[i], header); rc != 0) return rc;
        if (i == 0) {
            joined = header;
        } else if (header.pageCount > std::numeric_limits<std::uint16_t>::max() - joined.pageCount) {
            return base::ecFaxBadFormat;
        } else {
            joined.pageCount = static_cast<std::uint16_t>(joined.pageCount + header.pageCount);
        }
        const off_t from = i == 0 ? 0 : static_cast<off_t>(faxdoc::kApfHeaderSize);
        if (const int rc = CopyFrom(files[i], from, out); rc != 0) return rc;
    }
    const auto header = faxdoc::EncodeFileHeader(joined);
    if (const int rc = out.Seek(0); rc != 0) return rc;
    if (const int rc = out.Write(header.data(), header.size()); rc != 0) return rc;
    return out.Close();
}

}  // namespace

int JoinFaxFiles(const std::vector<std::string>& files, const std::string& extension, std::string& joinedName) {
    joinedName.clear();
    if (files.empty()) return base::ecBadFileList;
    std::string name;
    if (const int rc = MakeTemporaryFile(extension, name); rc != 0) return rc;
    if (const int rc = Join(files, name); rc != 0) {
        unlink(name.c_str());
        return rc;
    }
    joinedName = name;
    return 0;
}

}  // namespace vl::fax
