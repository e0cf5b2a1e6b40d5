// vellora-cli cover: a cover template filled in as a one-page fax file, or
// its preview picture.
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "app/CoverData.h"
#include "app/ProgramFolders.h"
#include "app/Settings.h"
#include "base/AtomicFile.h"
#include "base/ErrorCodes.h"
#include "base/FileBytes.h"
#include "base/MessageTable.h"
#include "base/PathNoCase.h"
#include "base/PlainText.h"
#include "cli/Commands.h"
#include "cli/FaxCommandOptions.h"
#include "cover/CoverFaxFile.h"
#include "cover/CoverRenderer.h"
#include "gfx/PngFile.h"

namespace vl::cli {

namespace {

constexpr std::string_view kGroup = "cover";

const char kCoverUsage[] =
    "usage: vellora-cli cover render TEMPLATE -o OUT.APF [--to NAME] [--fax NUMBER]\n"
    "         [--regarding TEXT] [--message FILE] [--flags XXXXX]\n"
    "       vellora-cli cover preview TEMPLATE -o OUT.PNG\n";

// A message file larger than this is no cover message.
constexpr long kMaxMessageBytes = 1 << 20;

std::tm LocalNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}

// A bare template name ("vl0001.fct") that is no file here is looked up in
// the covers folder, then among the templates shipped with the program.
std::string TemplatePath(const std::string& given) {
    std::error_code error;
    if (given.find('/') != std::string::npos || std::filesystem::exists(given, error)) return given;
    for (const std::string& folder : {app::CoversFolder(), app::SharedFolder() + "Covers/"}) {
        const std::string path = base::PathNoCase(folder, given);
        if (std::filesystem::is_regular_file(path, error)) return path;
    }
    return given;
}

int Usage(const std::string& problem) { return BadInput(kGroup, problem + "\n" + kCoverUsage); }

// The template and the output file: the one word and -o.
int TemplateAndOutput(const OptionScan& scan, std::string& renderFile, std::string& output) {
    if (scan.words.size() != 1) return Usage("one template file expected");
    if (!scan.values.count("-o")) return Usage("-o OUT is required");
    renderFile = TemplatePath(scan.words.front());
    output = scan.values.at("-o");
    // The renderer takes a missing template for a blank one; here it is a typing error.
    std::error_code error;
    if (!std::filesystem::is_regular_file(renderFile, error))
        return BadInput(kGroup, scan.words.front() + ": no such template");
    return kExitOk;
}

// "X" for a set flag, a blank for a clear one, five in all.
bool ParseFlags(const std::string& text, std::array<bool, cover::kFlagCount>& flags) {
    if (text.size() != flags.size() || text.find_first_not_of("X ") != std::string::npos) return false;
    flags = app::ParseFlags(text);
    return true;
}

int ReadMessage(const std::string& file, std::vector<std::string>& lines) {
    std::vector<std::uint8_t> bytes;
    if (const int rc = base::ReadFileBytes(file, bytes, kMaxMessageBytes, base::ecBadArgument); rc != base::ecOK)
        return rc;
    std::string text = base::LinuxLines(std::string(bytes.begin(), bytes.end()));
    if (!text.empty() && text.back() == '\n') text.pop_back();
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        lines.push_back(text.substr(start, end - start));
    if (!text.empty()) lines.push_back(text.substr(start));
    return base::ecOK;
}

int Render(const Args& args) {
    OptionScan scan;
    std::string problem;
    if (!ScanOptions(args, {"-o", "--to", "--fax", "--regarding", "--message", "--flags"}, {}, scan, problem))
        return Usage(problem);
    std::string renderFile;
    std::string output;
    if (const int rc = TemplateAndOutput(scan, renderFile, output); rc != kExitOk) return rc;

    app::Settings settings;
    app::LoadSettings(settings);
    cover::CoverValues values;
    cover::StampTime(values, LocalNow());
    values.sender = settings.Name;
    values.senderCompany = settings.Company;
    values.senderFax = settings.Fax;
    values.senderPhone = settings.Voice;
    TextOption(scan, "--to", values.recipient);
    TextOption(scan, "--fax", values.recipientFax);
    TextOption(scan, "--regarding", values.regarding);
    if (scan.values.count("--flags") && !ParseFlags(scan.values.at("--flags"), values.flags))
        return Usage("--flags takes five characters, X for a set flag and a blank for a clear one");
    std::vector<std::string> message;
    if (scan.values.count("--message")) {
        const std::string& file = scan.values.at("--message");
        if (const int rc = ReadMessage(file, message); rc != base::ecOK)
            return BadInput(kGroup, file + ": " + base::ErrorText(rc));
    }

    if (const int rc = cover::MakeCoverFile(renderFile, values, message, output); rc != base::ecOK)
        return Failed(kGroup, output + ": " + base::ErrorText(rc));
    std::printf("%s\n", output.c_str());
    return kExitOk;
}

int Preview(const Args& args) {
    OptionScan scan;
    std::string problem;
    if (!ScanOptions(args, {"-o"}, {}, scan, problem)) return Usage(problem);
    std::string renderFile;
    std::string output;
    if (const int rc = TemplateAndOutput(scan, renderFile, output); rc != kExitOk) return rc;

    gfx::MonoBitmap page;
    std::string png;
    int rc = cover::CoverRenderer().RenderFile(renderFile, cover::PreviewValues(LocalNow()), {},
                                               cover::CoverSize::Preview, page);
    if (rc == base::ecOK) rc = gfx::EncodePng(page, png);
    if (rc != base::ecOK) return Failed(kGroup, renderFile + ": " + base::ErrorText(rc));
    try {
        base::ReplaceFileAtomically(output, png);
    } catch (const std::system_error& e) {
        return Failed(kGroup, output + ": " + e.what());
    }
    std::printf("%s\n", output.c_str());
    return kExitOk;
}

}  // namespace

int RunCoverCommand(const Args& args) {
    if (args.empty()) return BadInput(kGroup, kCoverUsage);
    const Args rest(args.begin() + 1, args.end());
    if (args.front() == "render") return Render(rest);
    if (args.front() == "preview") return Preview(rest);
    return Usage("unknown cover command '" + args.front() + "'");
}

}  // namespace vl::cli
