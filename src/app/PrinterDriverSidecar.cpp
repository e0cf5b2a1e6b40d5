#include "app/PrinterDriverSidecar.h"

#include <algorithm>

#include "app/FieldText.h"
#include "app/TextFiles.h"
#include "base/AtomicFile.h"

namespace vl::app {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr size_t kMaxSidecarBytes = 64 * 1024;

std::string SidecarLine(std::string field) {
    std::replace_if(field.begin(), field.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    return StorableText(field) + "\n";
}

}  // namespace

PrinterDriverSidecar ParseSidecar(std::string_view bytes) {
    if (bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark) bytes.remove_prefix(kByteOrderMark.size());
    std::vector<std::string> lines = SplitTextLines(bytes, 3);
    lines.resize(3);
    return {TextFromOutside(lines[0]), TextFromOutside(lines[1]), TextFromOutside(lines[2])};
}

PrinterDriverSidecar ReadSidecar(const std::string& path) {
    return ParseSidecar(ReadFileStart(path, kMaxSidecarBytes));
}

std::string SidecarText(const PrinterDriverSidecar& fields) {
    return SidecarLine(fields.phone) + SidecarLine(fields.recipient) + SidecarLine(fields.subject);
}

void WriteSidecar(const std::string& path, const PrinterDriverSidecar& fields) {
    base::ReplaceFileAtomically(path, SidecarText(fields));
}

}  // namespace vl::app
