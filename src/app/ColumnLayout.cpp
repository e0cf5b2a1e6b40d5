#include "app/ColumnLayout.h"

#include <algorithm>
#include <charconv>
#include <sstream>
#include <system_error>

#include "app/TextFiles.h"
#include "base/AtomicFile.h"
#include "base/PathNoCase.h"
#include "base/TextCase.h"
#include "store/FaxTableLayouts.h"

namespace vl::app {

namespace {

constexpr int kMaxWidth = 32767;
// Far more than the table has fields or the grid columns; a longer file is
// not a layout.
constexpr size_t kMaxLines = 256;
constexpr size_t kMaxFileBytes = 64 * 1024;

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

int WidthOf(std::string_view line) {
    line = Trimmed(line);
    int width = 0;
    const auto [end, error] = std::from_chars(line.data(), line.data() + line.size(), width);
    if (line.empty() || error != std::errc() || end != line.data() + line.size() || width < 0 || width > kMaxWidth)
        return kKeepWidth;
    return width;
}

bool Replace(const std::string& path, const std::string& text) {
    try {
        base::ReplaceFileAtomically(path, text);
        return true;
    } catch (const std::system_error&) {
        return false;
    }
}

}  // namespace

std::string ColumnOrderFile(const std::string& programFolder) { return base::PathNoCase(programFolder, "Out.gco"); }
std::string ColumnWidthFile(const std::string& programFolder) { return base::PathNoCase(programFolder, "Out.gcs"); }

ColumnLayout ParseColumnLayout(std::string_view orderText, std::string_view widthText) {
    ColumnLayout layout;
    const auto& fields = store::OutgoingTableDef().fields;
    for (const std::string& line : SplitTextLines(orderText, kMaxLines)) {
        const std::string name = base::UpperAscii(Trimmed(line));
        const bool known = std::any_of(fields.begin(), fields.end(), [&](const auto& f) { return f.name == name; });
        if (known && std::find(layout.fieldOrder.begin(), layout.fieldOrder.end(), name) == layout.fieldOrder.end())
            layout.fieldOrder.push_back(name);
    }
    for (const std::string& line : SplitTextLines(widthText, kMaxLines)) layout.widths.push_back(WidthOf(line));
    return layout;
}

ColumnLayout LoadColumnLayout(const std::string& programFolder) {
    return ParseColumnLayout(ReadFileStart(ColumnOrderFile(programFolder), kMaxFileBytes),
                             ReadFileStart(ColumnWidthFile(programFolder), kMaxFileBytes));
}

bool SaveColumnLayout(const std::string& programFolder, const ColumnLayout& layout) {
    std::ostringstream order;
    for (const std::string& name : layout.fieldOrder) order << name << '\n';
    std::ostringstream widths;
    for (int width : layout.widths) widths << width << '\n';
    const bool orderSaved = Replace(ColumnOrderFile(programFolder), order.str());
    return Replace(ColumnWidthFile(programFolder), widths.str()) && orderSaved;
}

}  // namespace vl::app
