#include "cover/TemplateNames.h"

#include <cstdio>
#include <filesystem>
#include <optional>
#include <set>
#include <system_error>

#include "base/FreeNumbers.h"
#include "base/TextCase.h"
#include "cover/DescriptionFile.h"
#include "cover/TemplateFiles.h"

namespace vl::cover {

namespace {

constexpr std::string_view kExtension = ".FCS";
constexpr std::size_t kMaxNameLength = 12;

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string NumberedName(int number) {
    char name[16];
    std::snprintf(name, sizeof name, "VL%04d.FCS", number);
    return name;
}

// The folder's entry names upper-cased, read once: the proposal may try
// thousands of names.
std::set<std::string> UpperNamesIn(const std::string& folder) {
    std::set<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error))
        names.insert(base::UpperAscii(entry.path().filename().string()));
    return names;
}

}  // namespace

std::string ProposedTemplateName(const std::string& coversFolder) {
    const std::set<std::string> taken = UpperNamesIn(coversFolder);
    const auto isTaken = [&taken](int number) { return taken.count(NumberedName(number)) > 0; };
    std::optional<int> number = base::FirstFreeNumber(1, 9999, isTaken);
    if (!number) number = base::FirstFreeNumber(0, 0, isTaken);
    return number ? NumberedName(*number) : std::string();
}

bool IsValidTemplateName(std::string_view name) {
    if (name.size() <= kExtension.size() || name.size() > kMaxNameLength) return false;
    if (!base::EqualsNoCase(name.substr(name.size() - kExtension.size()), kExtension)) return false;
    const std::string_view stem = name.substr(0, name.size() - kExtension.size());
    if (!IsLetter(stem.front())) return false;
    for (char c : stem)
        if (!IsLetter(c) && !IsDigit(c)) return false;
    return true;
}

bool CanSaveTemplateAs(std::string_view name, std::string_view description) {
    return IsValidTemplateName(name) && !description.empty();
}

std::string SavedTemplateDescription(const std::string& designPath) {
    TemplateFiles files;
    std::optional<std::string> line;
    if (TemplateFilesOf(designPath, files) != 0 || ReadDescription(files.description, line) != 0 || !line ||
        line->empty())
        return std::string(kMissingDescription);
    return *line;
}

NamedTemplate ProposeTemplate(const std::string& coversFolder, const std::string& designPath) {
    if (designPath.empty()) return {ProposedTemplateName(coversFolder), std::string(kUntitledDescription)};
    return {std::filesystem::path(designPath).filename().string(), SavedTemplateDescription(designPath)};
}

}  // namespace vl::cover
