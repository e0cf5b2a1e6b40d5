#include "app/TextFiles.h"

#include <fstream>

namespace vl::app {

std::vector<std::string> SplitTextLines(std::string_view text, size_t maxLines) {
    std::vector<std::string> lines;
    while (!text.empty() && lines.size() < maxLines) {
        const size_t end = text.find_first_of("\r\n");
        lines.emplace_back(text.substr(0, end));
        if (end == std::string_view::npos) break;
        const size_t next = text.compare(end, 2, "\r\n") == 0 ? end + 2 : end + 1;
        text.remove_prefix(next);
    }
    return lines;
}

std::string ReadFileStart(const std::string& path, size_t maxBytes) {
    std::ifstream in(path, std::ios::binary);
    std::string bytes(maxBytes, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(maxBytes));
    bytes.resize(static_cast<size_t>(in.gcount()));
    return bytes;
}

}  // namespace vl::app
