#include "printfax/Ghostscript.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "base/PlainText.h"
#include "printfax/ChildProcess.h"
#include "printfax/FaxGeometry.h"

namespace vl::printfax {

namespace {

constexpr char kProgram[] = "gs";
constexpr char kPagePrefix[] = "page-";
constexpr std::size_t kMaxReasonChars = 200;
// An A3 page rendered is under 8 MiB; a page image past this is stopped
// while it is written.
constexpr std::uint64_t kMaxPageFileBytes = std::uint64_t{256} << 20;

// Ghostscript reads "%" in the output name as a page number format.
std::string EscapePercent(const std::string& path) {
    std::string escaped;
    for (char c : path) {
        escaped += c;
        if (c == '%') escaped += '%';
    }
    return escaped;
}

std::vector<std::string> PageFiles(const std::string& folder) {
    std::vector<std::string> files;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec); !ec && it != std::filesystem::directory_iterator();
         it.increment(ec)) {
        if (it->path().filename().string().starts_with(kPagePrefix)) files.push_back(it->path().string());
    }
    std::sort(files.begin(), files.end());
    return files;
}

// The first line Ghostscript said that reads like an error, for the message.
std::string FirstComplaint(const std::string& logFile) {
    std::ifstream in(logFile);
    std::string line;
    std::string first;
    while (std::getline(in, line)) {
        line = base::TrimBlanks(line);
        if (line.empty()) continue;
        if (first.empty()) first = line;
        if (line.find("rror") != std::string::npos || line.find("assword") != std::string::npos) return line.substr(0, kMaxReasonChars);
    }
    return first.substr(0, kMaxReasonChars);
}

}  // namespace

std::string RenderWithGhostscript(const std::string& document, const std::string& folder, bool fine,
                                  std::vector<std::string>& pages) {
    pages.clear();
    const std::string log = folder + "ghostscript.log";
    const std::vector<std::string> argv = {
        kProgram,
        "-q",
        "-dSAFER",
        "-dBATCH",
        "-dNOPAUSE",
        "-sDEVICE=pgmraw",
        "-r" + std::to_string(kFaxDotsPerInch) + "x" + std::to_string(LinesPerInch(fine)),
        // One page more than taken, to tell a document that has too many.
        "-dLastPage=" + std::to_string(kMaxPages + 1),
        "-sOutputFile=" + EscapePercent(folder) + kPagePrefix + "%05d.pgm",
        "-f",
        document,
    };
    const ChildOutcome outcome = RunChild(argv, log, {kRenderSeconds, kMaxPageFileBytes});
    if (!outcome.started) return "Ghostscript (gs) could not be started; is it installed?";
    if (outcome.timedOut)
        return "the document took longer than " + std::to_string(kRenderSeconds / 60) + " minutes to render";
    if (outcome.exitCode < 0) return "Ghostscript stopped on the document (a page far too large, or a crash)";
    if (outcome.exitCode != 0) {
        const std::string reason = FirstComplaint(log);
        return "the document could not be rendered (damaged, or locked by a password)" +
               (reason.empty() ? std::string() : ": " + reason);
    }
    pages = PageFiles(folder);
    if (pages.empty()) return "the document has no pages";
    if (pages.size() > static_cast<std::size_t>(kMaxPages)) {
        pages.clear();
        return "the document has more than " + std::to_string(kMaxPages) + " pages";
    }
    return {};
}

}  // namespace vl::printfax
