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

// What Ghostscript said against the document: it marks its complaints
// with "****" and may still end with status 0. A word about a password
// says the most; else the first complaint. Empty when it had none.
std::string Complaint(const std::string& logFile) {
    std::ifstream in(logFile);
    std::string line;
    std::string first;
    while (std::getline(in, line)) {
        if (!base::TrimBlanks(line).starts_with("****")) continue;
        line = base::TrimBlanks(line.substr(line.find("****") + 4)).substr(0, kMaxReasonChars);
        if (line.find("password") != std::string::npos) return line;
        if (first.empty()) first = line;
    }
    return first;
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
    pages = PageFiles(folder);
    if (outcome.exitCode != 0 || pages.empty()) {
        pages.clear();
        if (const std::string reason = Complaint(log); !reason.empty())
            return "the document could not be rendered: " + reason;
        if (outcome.exitCode != 0)
            return "the document could not be rendered (Ghostscript ended with status " +
                   std::to_string(outcome.exitCode) + ")";
        return "the document has no pages";
    }
    if (pages.size() > static_cast<std::size_t>(kMaxPages)) {
        pages.clear();
        return "the document has more than " + std::to_string(kMaxPages) + " pages";
    }
    return {};
}

}  // namespace vl::printfax
