// The fax every sender in the session benchmark sends: three fine pages of
// text, made once by the program's own converter and then exported, so that
// each sender gets the same pixels in the form it reads.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace vl::bench {

struct BenchDocument {
    std::string apf;                     // for vellora-cli send
    std::vector<std::string> pageTiffs;  // one single-strip G3 TIFF per page, 1728 pixels wide, for efax
    std::string tiff;                    // the three pages in one TIFF, for the fax machine
};

inline constexpr int kBenchPages = 3;

// Writes the document into `dir`, running `cli` (vellora-cli) with its data
// folder in `home`. Throws when a step fails or the APF file does not hold
// three fine pages.
BenchDocument MakeBenchDocument(const std::string& cli, const std::string& home, const std::filesystem::path& dir);

}  // namespace vl::bench
