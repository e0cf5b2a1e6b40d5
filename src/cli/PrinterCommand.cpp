// vellora-cli printer: the "Vellora Fax" printer added to the print system,
// so that every program's print dialog can fax, or taken out of it.
#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

#include "app/ProgramFolders.h"
#include "base/AtomicFile.h"
#include "base/PlainText.h"
#include "cli/Commands.h"
#include "printfax/ChildProcess.h"
#include "printfax/TempFolder.h"

namespace vl::cli {

namespace {

constexpr std::string_view kGroup = "printer";
constexpr char kQueue[] = "Vellora_Fax";
constexpr char kDescription[] = "Vellora Fax";
constexpr char kDefaultServerBin[] = "/usr/lib/cups";
constexpr int kLpadminSeconds = 60;

const char kPrinterUsage[] =
    "usage: vellora-cli printer install\n"
    "       vellora-cli printer uninstall\n";

std::string ReadWhole(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The backend program: beside the installed programs, else in the build tree.
std::string BackendProgram() {
    const std::string installed = app::ExecutableFolder() + "../lib/cups/backend/vellora";
    std::error_code ec;
    return std::filesystem::exists(installed, ec) ? installed : VL_BUILD_BACKEND_PATH;
}

// Where the print system looks for backends; it names another place in
// CUPS_SERVERBIN, as it does for the programs it runs.
std::string BackendFolder() {
    const char* serverBin = std::getenv("CUPS_SERVERBIN");
    return std::string(serverBin != nullptr && *serverBin != '\0' ? serverBin : kDefaultServerBin) + "/backend/";
}

// The backend in the print system's folder, the same as ours. Only its
// owner may run it: the print system then runs it as root, and it can
// become each job's user.
std::string PlaceBackend() {
    const std::string source = BackendProgram();
    const std::string bytes = ReadWhole(source);
    if (bytes.empty()) return "the backend program " + source + " cannot be read";
    const std::string target = BackendFolder() + "vellora";
    try {
        if (ReadWhole(target) != bytes) base::ReplaceFileAtomically(target, bytes);
    } catch (const std::system_error& e) {
        return "cannot put the backend into " + BackendFolder() + " (" + e.code().message() +
               "); run this as root, for example with sudo";
    }
    if (chmod(target.c_str(), 0700) != 0) return "cannot make " + target + " runnable by root alone";
    return {};
}

// lpadmin with the arguments; empty when it did them, else what it said.
std::string Lpadmin(const std::vector<std::string>& args) {
    const printfax::TempFolder work;
    const std::string log = work.Path() + "lpadmin.log";
    std::vector<std::string> argv = {std::filesystem::exists("/usr/sbin/lpadmin") ? "/usr/sbin/lpadmin" : "lpadmin"};
    argv.insert(argv.end(), args.begin(), args.end());
    const printfax::ChildOutcome outcome = printfax::RunChild(argv, log, {kLpadminSeconds, 1 << 20});
    if (!outcome.started) return "lpadmin could not be run; are the print system's programs (cups-client) installed?";
    if (outcome.exitCode == 0) return {};
    const std::string said = base::TrimBlanks(ReadWhole(log));
    return said.empty() ? "lpadmin failed" : said;
}

int Install() {
    if (const std::string failure = PlaceBackend(); !failure.empty()) return Failed(kGroup, failure);
    const std::string ppd = app::SharedFolder() + "vellora-fax.ppd";
    if (ReadWhole(ppd).empty()) return Failed(kGroup, "the printer description " + ppd + " cannot be read");
    // A job that cannot be faxed is dropped; the queue goes on with the next.
    if (const std::string failure = Lpadmin({"-p", kQueue, "-E", "-v", "vellora:/", "-P", ppd, "-D", kDescription,
                                             "-L", "Faxes through Vellora", "-o",
                                             "printer-error-policy=abort-job"});
        !failure.empty())
        return Failed(kGroup, failure);
    std::printf("The printer \"%s\" (%s) is installed.\n", kDescription, kQueue);
    return kExitOk;
}

int Uninstall() {
    if (const std::string failure = Lpadmin({"-x", kQueue}); !failure.empty()) return Failed(kGroup, failure);
    std::printf("The printer \"%s\" (%s) is removed.\n", kDescription, kQueue);
    return kExitOk;
}

}  // namespace

int RunPrinterCommand(const Args& args) {
    if (args.size() == 1 && args[0] == "install") return Install();
    if (args.size() == 1 && args[0] == "uninstall") return Uninstall();
    return BadInput(kGroup, kPrinterUsage);
}

}  // namespace vl::cli
