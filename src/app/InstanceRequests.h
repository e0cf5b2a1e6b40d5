// What a later copy of the program, or the print-to-fax tool, sends to the
// first over the local socket: one line per request, "activate" (come to the
// front), "view PATH" (show that fax file in the viewer) or "import" (the
// tool left a fax in the send folder: take it in).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vl::app {

inline constexpr std::string_view kActivateRequest = "activate\n";
inline constexpr std::string_view kViewRequest = "view ";
inline constexpr std::string_view kImportRequest = "import\n";
// A line this long (line feed included) is not from a copy of this program:
// the longest path there is, and the word before it.
inline constexpr std::size_t kMaxRequestLine = 4096 + kViewRequest.size() + 1;

// The local socket the first copy listens on for a data folder
// (`programFolder` ends in "/"): a full path, the same for every process
// of the user whatever temporary folder each was started with.
std::string InstanceServerName(const std::string& programFolder);

// The line asking to view the file; empty for a path that no line can carry
// (not absolute, too long, or holding a line feed).
std::string ViewRequestLine(const std::string& absolutePath);

// Collects the bytes of one connection as they arrive.
class InstanceRequestReader {
public:
    struct Result {
        int activations = 0;  // "activate" lines completed by these bytes
        int imports = 0;      // "import" lines completed
        std::vector<std::string> views;  // the paths of the "view" lines completed
        bool refused = false;  // a line grew too long: drop the connection
    };

    // Once refused, a reader stays refused and counts nothing more.
    Result Feed(std::string_view bytes);

private:
    std::string pending_;
    bool refused_ = false;
};

}  // namespace vl::app
