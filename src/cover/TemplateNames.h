// The names a cover template is saved under: the name proposed for a new
// one, the rule a typed name must follow, and the description proposed
// with it.
#pragma once

#include <string>
#include <string_view>

namespace vl::cover {

// What a page that was never saved is proposed to be called.
inline constexpr std::string_view kUntitledDescription = "[Description]";
// What a saved template whose description file is missing or empty shows.
inline constexpr std::string_view kMissingDescription = "[description]";

// "VL" + four digits + ".FCS": the first such name no file of the folder has
// in any letter case, trying 0001 to 9999 and then 0000. Empty when every
// one is taken.
std::string ProposedTemplateName(const std::string& coversFolder);

// 1 to 12 characters ending in ".FCS" in any letter case, the part before it
// a letter or underscore followed by letters, digits and underscores.
bool IsValidTemplateName(std::string_view name);
// A valid name and a description that is not empty.
bool CanSaveTemplateAs(std::string_view name, std::string_view description);

// The first line of the description file beside the design file, or
// kMissingDescription when there is none (or it cannot be read).
std::string SavedTemplateDescription(const std::string& designPath);

// A design file's name (without folder) and the description saved with it.
struct NamedTemplate {
    std::string name;
    std::string description;
};

// For a page never saved (designPath empty) ProposedTemplateName() with
// kUntitledDescription; else the design file's own name and its saved
// description.
NamedTemplate ProposeTemplate(const std::string& coversFolder, const std::string& designPath);

}  // namespace vl::cover
