#include "app/PrinterDriverSidecar.h"

#include "app/FieldText.h"
#include "app/TextFiles.h"

namespace vl::app {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr size_t kMaxSidecarBytes = 64 * 1024;

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

}  // namespace vl::app
