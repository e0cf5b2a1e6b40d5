#include "printfax/TempFolder.h"

#include <stdlib.h>

#include <filesystem>
#include <system_error>

namespace vl::printfax {

TempFolder::TempFolder() {
    std::error_code ec;
    std::string pattern = (std::filesystem::temp_directory_path(ec) / "vellora-print-XXXXXX").string();
    if (!ec && mkdtemp(pattern.data())) path_ = pattern + "/";
}

TempFolder::~TempFolder() {
    if (path_.empty()) return;
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

}  // namespace vl::printfax
