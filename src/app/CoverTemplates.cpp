#include "app/CoverTemplates.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <system_error>

#include "app/FieldText.h"
#include "base/PathNoCase.h"
#include "base/TextCase.h"
#include "cover/DescriptionFile.h"

namespace vl::app {

namespace {

// The file of the template's base name with `extension`, in any letter case.
std::string SiblingFile(const std::string& folder, const std::string& templateName, const char* extension)
{
    const std::string base = std::filesystem::path(templateName).stem().string();
    const std::string path = base::PathNoCase(folder, base + extension);
    std::error_code error;
    return std::filesystem::is_regular_file(path, error) ? path : std::string();
}

}  // namespace

std::vector<std::string> CoverTemplateNames(const std::string& folder, std::string_view extension)
{
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        std::error_code typeError;
        const std::string name = entry.path().filename().string();
        if (entry.is_regular_file(typeError) && base::EqualsNoCase(entry.path().extension().string(), extension))
            names.push_back(name);
    }
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        const std::string upperA = base::UpperAscii(a);
        const std::string upperB = base::UpperAscii(b);
        return upperA != upperB ? upperA < upperB : a < b;
    });
    return names;
}

std::string CoverPreviewFile(const std::string& folder, const std::string& templateName)
{
    return SiblingFile(folder, templateName, ".bmp");
}

std::string CoverDescription(const std::string& folder, const std::string& templateName)
{
    const std::string file = SiblingFile(folder, templateName, ".des");
    std::optional<std::string> line;
    if (file.empty() || cover::ReadDescription(file, line) != 0 || !line)
        return {};
    return TextFromOutside(*line);
}

}  // namespace vl::app
