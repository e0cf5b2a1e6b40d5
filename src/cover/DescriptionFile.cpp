#include "cover/DescriptionFile.h"

#include <algorithm>
#include <cstdint>
#include <system_error>
#include <vector>

#include "base/AtomicFile.h"
#include "base/ErrorCodes.h"
#include "base/FileBytes.h"
#include "base/IoErrors.h"

namespace vl::cover {

namespace {

// A description is one line the user typed.
constexpr long kMaxFileSize = 1024L * 1024;

}  // namespace

int ReadDescription(const std::string& path, std::optional<std::string>& description) {
    description.reset();
    std::vector<std::uint8_t> bytes;
    const int rc = base::ReadFileBytes(path, bytes, kMaxFileSize, base::ecFaxBadFormat);
    if (rc == base::ecFileNotFound) return base::ecOK;
    if (rc != base::ecOK) return rc;
    std::string text(bytes.begin(), bytes.end());
    text.resize(std::min(text.size(), text.find_first_of("\r\n")));
    description = std::move(text);
    return base::ecOK;
}

int WriteDescription(const std::string& path, std::string_view description) {
    std::string line(description.substr(0, description.find_first_of("\r\n")));
    line += '\n';
    try {
        base::ReplaceFileAtomically(path, line);
    } catch (const std::system_error& error) {
        return base::IoErrorCode(error.code().value(), base::IoOperation::Write);
    }
    return base::ecOK;
}

}  // namespace vl::cover
