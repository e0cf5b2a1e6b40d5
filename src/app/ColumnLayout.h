// The outgoing list's column layout, kept between runs in two plain text
// files in the program folder: "Out.gco" (field names in column order) and
// "Out.gcs" (column widths in pixels, the row indicator's first).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vl::app {

// A width line that did not read as a width: that column keeps its own.
inline constexpr int kKeepWidth = -1;

struct ColumnLayout {
    std::vector<std::string> fieldOrder;  // outgoing field names, upper case
    std::vector<int> widths;              // pixels, or kKeepWidth
};

// programFolder + "Out.gco" and "Out.gcs", in whatever letter case they have on disk.
std::string ColumnOrderFile(const std::string& programFolder);
std::string ColumnWidthFile(const std::string& programFolder);

// The layout in the two texts: names that are not outgoing fields (in any
// letter case) and repeated names are skipped; a width line that is not a
// number from 0 to 32767 gives kKeepWidth.
ColumnLayout ParseColumnLayout(std::string_view orderText, std::string_view widthText);

// Missing or unreadable files give an empty part.
ColumnLayout LoadColumnLayout(const std::string& programFolder);
// Rewrites both files; false when either could not be written.
bool SaveColumnLayout(const std::string& programFolder, const ColumnLayout& layout);

}  // namespace vl::app
