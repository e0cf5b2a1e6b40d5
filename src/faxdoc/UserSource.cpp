#include "faxdoc/UserSource.h"

#include <filesystem>

#include "base/ErrorCodes.h"

namespace vl::faxdoc {
namespace {

constexpr std::size_t kRasterBufferSize = 4096;

}  // namespace

int UserSource::Open(const std::string& fileName) {
    std::string name = fileName;
    if (!defaultExtension_.empty() && !std::filesystem::path(name).has_extension())
        name += "." + defaultExtension_;
    open_ = true;
    if (events_.onOpen) events_.onOpen(name);
    return base::ecOK;
}

int UserSource::ReadLine(std::vector<std::uint8_t>& line, bool& endOfPage, bool& morePages) {
    line.clear();
    endOfPage = false;
    morePages = false;
    if (!events_.onReadLine) {
        endOfPage = true;
        return base::ecOK;
    }
    events_.onReadLine(line, endOfPage, morePages);
    if (endOfPage) line.clear();
    return line.size() <= kRasterBufferSize ? base::ecOK : base::ecBadArgument;
}

void UserSource::Close() {
    if (!open_) return;
    open_ = false;
    if (events_.onClose) events_.onClose();
}

}  // namespace vl::faxdoc
