#include "faxdoc/OutputFileName.h"

#include <filesystem>

namespace vl::faxdoc {

std::string OutputFileName(const std::string& inputName, const std::string& outName, std::string_view extension) {
    const std::string dotted = "." + std::string(extension);
    if (!outName.empty()) return std::filesystem::path(outName).has_extension() ? outName : outName + dotted;
    if (inputName.empty()) return std::string();
    return std::filesystem::path(inputName).replace_extension(dotted).string();
}

}  // namespace vl::faxdoc
