#include "cover/TemplateFiles.h"

#include <cctype>
#include <filesystem>
#include <string_view>
#include <system_error>
#include <vector>

#include "base/AtomicFile.h"
#include "base/ErrorCodes.h"
#include "base/IoErrors.h"
#include "base/PathNoCase.h"
#include "base/TextCase.h"
#include "cover/CoverPreview.h"
#include "cover/DescriptionFile.h"
#include "cover/DesignFile.h"
#include "cover/RenderFile.h"
#include "cover/RenderRecords.h"

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

int WriteWhole(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    try {
        base::ReplaceFileAtomically(path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    } catch (const std::system_error& error) {
        return base::IoErrorCode(error.code().value(), base::IoOperation::Write);
    }
    return base::ecOK;
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

int SaveTemplate(const CoverObjects& objects, const TemplateFiles& files, std::string_view description,
                 int screenDpi, const std::tm& when) {
    if (const int rc = WriteWhole(files.design, WriteDesignFile(objects)); rc != base::ecOK) return rc;
    if (const int rc = WriteWhole(files.render, WriteRenderFile(RenderRecords(objects, screenDpi))); rc != base::ecOK)
        return rc;
    if (const int rc = MakePreviewPicture(files.render, files.preview, when); rc != base::ecOK) return rc;
    return WriteDescription(files.description, description);
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
