// The cover templates of a folder: their render files ("*.fct" in any letter
// case) or design files ("*.fcs"), each with the preview picture (".bmp")
// and the description (".des") of the same base name.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vl::app {

inline constexpr std::string_view kRenderFileExtension = ".fct";
inline constexpr std::string_view kDesignFileExtension = ".fcs";

// The names of the folder's files with the extension (in any letter case),
// sorted without regard to letter case.
std::vector<std::string> CoverTemplateNames(const std::string& folder,
                                            std::string_view extension = kRenderFileExtension);
// The template's preview picture, or empty when there is none.
std::string CoverPreviewFile(const std::string& folder, const std::string& templateName);
// The first line of the template's description file; empty when it has none.
std::string CoverDescription(const std::string& folder, const std::string& templateName);

}  // namespace vl::app
