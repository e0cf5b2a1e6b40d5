// A three-page A4 report to print and fax: a letter, a table ruled in
// lines, and a grey photograph with a caption. Made as PostScript and
// turned into PDF by Ghostscript, as a program would print it.
#pragma once

#include <string>
#include <vector>

#include "support/TestSupport.h"

namespace vl::test {

// The photograph on page 3, in points from the page's lower left corner.
struct PointBox {
    int left;
    int bottom;
    int right;
    int top;
};
inline constexpr PointBox kReportPhoto{72, 300, 523, 638};

std::string ReportPostScript();

// Ghostscript run safely in batch mode with the given arguments.
RunResult RunGhostscript(const std::vector<std::string>& args);

// The report written as `folder`/report.pdf; its path, or empty when
// Ghostscript could not make it (the failure is recorded).
std::string MakeReportPdf(const std::string& folder);

}  // namespace vl::test
