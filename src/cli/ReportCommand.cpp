// vellora-cli report: the configuration report for technical support, on
// standard output or into a file.
#include <clocale>
#include <cstdio>
#include <string>
#include <system_error>

#include "app/ConfigurationReport.h"
#include "cli/Commands.h"

namespace vl::cli {

namespace {

constexpr std::string_view kGroup = "report";

const char kReportUsage[] = "usage: vellora-cli report [--output FILE]";

}  // namespace

int RunReportCommand(const Args& args) {
    std::string output;
    if (args.size() == 2 && args[0] == "--output" && !args[1].empty())
        output = args[1];
    else if (!args.empty())
        return BadInput(kGroup, std::string("unexpected arguments\n") + kReportUsage);
    // Dates, times and their formats as the user reads them.
    std::setlocale(LC_TIME, "");
    std::setlocale(LC_NUMERIC, "");
    const app::ConfigurationReport report(app::ReportSources::ThisSystem());
    if (output.empty()) {
        std::fputs(report.Text().c_str(), stdout);
        return kExitOk;
    }
    try {
        report.SaveAs(output);
    } catch (const std::system_error& e) {
        return Failed(kGroup, output + ": " + e.code().message());
    }
    return kExitOk;
}

}  // namespace vl::cli
