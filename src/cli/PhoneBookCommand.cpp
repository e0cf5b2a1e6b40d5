// vellora-cli phonebook: bring a phone book in from a CSV or vCard file, or
// hand it out as one.
#include <cstdio>
#include <optional>
#include <string>

#include "app/PhoneBookExchange.h"
#include "app/ProgramFolders.h"
#include "base/ErrorCodes.h"
#include "base/TextCase.h"
#include "cli/Commands.h"

namespace vl::cli {

namespace {

constexpr std::string_view kGroup = "phonebook";

const char kPhoneBookUsage[] =
    "usage: vellora-cli phonebook import FILE.csv|FILE.vcf [--format csv|vcard]\n"
    "       vellora-cli phonebook export FILE.csv|FILE.vcf [--format csv|vcard]\n";

std::optional<app::PhoneBookFormat> ParseFormat(const std::string& name) {
    if (base::EqualsNoCase(name, "csv")) return app::PhoneBookFormat::Csv;
    if (base::EqualsNoCase(name, "vcard") || base::EqualsNoCase(name, "vcf")) return app::PhoneBookFormat::VCard;
    return std::nullopt;
}

// A failure of the file's contents changed nothing; any other failure is
// the operation's.
int Finish(int rc, const app::PhoneBookExchangeReport& report) {
    if (rc == base::ecBadArgument) return BadInput(kGroup, report.error);
    return rc == base::ecOK ? kExitOk : Failed(kGroup, report.error);
}

}  // namespace

int RunPhoneBookCommand(const Args& args) {
    const bool known = !args.empty() && (args[0] == "import" || args[0] == "export");
    if (!known || (args.size() != 2 && args.size() != 4) || (args.size() == 4 && args[2] != "--format")) {
        std::fputs(kPhoneBookUsage, stderr);
        return kExitBadInput;
    }
    const std::string& file = args[1];
    const std::optional<app::PhoneBookFormat> format =
        args.size() == 4 ? ParseFormat(args[3]) : app::PhoneBookFormatOf(file);
    if (!format && args.size() == 4) return BadInput(kGroup, "unknown format '" + args[3] + "' (csv or vcard)");
    if (!format) return BadInput(kGroup, file + ": not a .csv or .vcf file (say which with --format csv|vcard)");

    app::EnsureFaxFolders();
    const std::string folder = app::ProgramFolder();
    app::PhoneBookExchangeReport report;
    if (args[0] == "export") {
        const int rc = app::ExportPhoneBook(folder, file, *format, report);
        if (rc == base::ecOK) std::printf("%d entries exported\n", report.entries);
        return Finish(rc, report);
    }
    const int rc = app::ImportPhoneBook(folder, file, *format, report);
    for (const app::SkippedRow& row : report.skipped)
        std::fprintf(stderr, "%s:%d: skipped: %s\n", file.c_str(), row.line, row.reason.c_str());
    if (rc == base::ecOK) std::printf("%d entries imported\n", report.entries);
    return Finish(rc, report);
}

}  // namespace vl::cli
