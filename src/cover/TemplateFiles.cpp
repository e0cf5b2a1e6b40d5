#include "cover/TemplateFiles.h"

#include <cctype>
#include <filesystem>
#include <string_view>
#include <system_error>

#include "base/ErrorCodes.h"
#include "base/IoErrors.h"
#include "base/PathNoCase.h"
#include "base/TextCase.h"

namespace vl::cover {

namespace {

constexpr std::string_view kDesignExtension = ".FCS";

// The file beside the design file with the extension in the design file's
// letter case.
std::string Beside(const std::string& folder, const std::string& stem, bool lowerCase, std::string_view extension) {
    std::string name = stem;
    for (char c : extension) name += lowerCase ? static_cast<char>(std::tolower(static_cast<unsigned char>(c))) : c;
    return base::PathNoCase(folder, name);
}

}  // namespace

int TemplateFilesOf(const std::string& designPath, TemplateFiles& files) {
    const std::size_t slash = designPath.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string() : designPath.substr(0, slash + 1);
    const std::string name = designPath.substr(folder.size());
    if (name.size() <= kDesignExtension.size()) return base::ecBadArgument;
    const std::string_view extension = std::string_view(name).substr(name.size() - kDesignExtension.size());
    if (!base::EqualsNoCase(extension, kDesignExtension)) return base::ecBadArgument;
    const std::string stem = name.substr(0, name.size() - extension.size());
    const bool lowerCase = extension == ".fcs";
    files.design = designPath;
    files.render = Beside(folder, stem, lowerCase, ".FCT");
    files.description = Beside(folder, stem, lowerCase, ".DES");
    files.preview = Beside(folder, stem, lowerCase, ".BMP");
    return base::ecOK;
}

int DeleteTemplate(const TemplateFiles& files) {
    int first = base::ecOK;
    for (const std::string* path : {&files.design, &files.render, &files.description, &files.preview}) {
        std::error_code ec;
        std::filesystem::remove(*path, ec);
        if (ec && first == base::ecOK) first = base::IoErrorCode(ec.value(), base::IoOperation::Write);
    }
    return first;
}

}  // namespace vl::cover
