#include "TestCupsServer.h"

#include <gtest/gtest.h>

#include <pwd.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <thread>
#include <vector>

namespace vl::test {

namespace {

namespace fs = std::filesystem;

// Where cups-pdf puts the jobs of root: its home folder's PDF/.
std::string RootPdfFolder()
{
    const passwd* root = getpwuid(0);
    return std::string(root != nullptr && root->pw_dir != nullptr ? root->pw_dir : "/root") + "/PDF/";
}

std::vector<fs::path> PdfFiles(const std::string& folder)
{
    std::vector<fs::path> files;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error))
        if (entry.path().extension() == ".pdf")
            files.push_back(entry.path());
    return files;
}

constexpr char kSystemServerBin[] = "/usr/lib/cups";

// Stops the shared server when the test program ends.
class ServerEnvironment : public ::testing::Environment {
public:
    void TearDown() override { server.reset(); }
    static inline std::unique_ptr<TestCupsServer> server;
};

ServerEnvironment* const environment =
    static_cast<ServerEnvironment*>(::testing::AddGlobalTestEnvironment(new ServerEnvironment));

}  // namespace

TestCupsServer& TestCupsServer::Shared()
{
    if (!environment->server)
        environment->server = std::make_unique<TestCupsServer>();
    return *environment->server;
}

TestCupsServer::TestCupsServer() : outFolder_(RootPdfFolder())
{
    if (geteuid() != 0)
        missing_ = "the test CUPS server needs root";
    else if (!fs::exists("/usr/sbin/cupsd") || !fs::exists("/usr/lib/cups/backend/cups-pdf"))
        missing_ = "cups and printer-driver-cups-pdf are not installed";
    else if (!Start())
        missing_ = "the test CUPS server did not start";
}

TestCupsServer::~TestCupsServer()
{
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
    }
    std::error_code ignored;
    for (const fs::path& file : made_)
        fs::remove(file, ignored);
    unsetenv("CUPS_SERVER");
}

std::map<std::string, std::string> TestCupsServer::Env() const
{
    return {{"CUPS_SERVER", dir_.folder() + "cups.sock"}, {"CUPS_SERVERBIN", serverBin_.path().string()}};
}

// The system's programs, linked, and a backend folder of the server's own
// with the system's backends and the program's.
bool TestCupsServer::MakeServerBin()
{
    const fs::path bin = serverBin_.path();
    // The filters run as the lp user and reach their programs through it.
    chmod(bin.c_str(), 0755);
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(kSystemServerBin, error)) {
        if (entry.path().filename() != "backend")
            fs::create_directory_symlink(entry.path(), bin / entry.path().filename(), error);
    }
    fs::create_directory(bin / "backend", error);
    chmod((bin / "backend").c_str(), 0755);
    for (const auto& entry : fs::directory_iterator(std::string(kSystemServerBin) + "/backend", error))
        fs::create_symlink(entry.path(), bin / "backend" / entry.path().filename(), error);
    return !error;
}

bool TestCupsServer::Start()
{
    const std::string root = dir_.folder();
    if (!MakeServerBin())
        return false;
    for (const char* sub : {"spool", "tmp", "cache", "state", "log", "ppd"})
        fs::create_directories(root + sub);
    // The filters run as the lp user and must reach the spool.
    for (const auto& entry : fs::recursive_directory_iterator(root))
        chmod(entry.path().c_str(), 0777);
    chmod(root.c_str(), 0777);
    // The fax home is root's alone: a job of another user cannot write there.
    fs::create_directories(FaxHome());
    chmod(FaxHome().c_str(), 0700);
    const std::string socket = root + "cups.sock";
    std::ofstream(root + "cupsd.conf") << "Listen " << socket << "\nLogLevel warn\nWebInterface No\nBrowsing No\n"
                                          "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
                                          "<Location /admin>\n  Order allow,deny\n  Allow all\n</Location>\n"
                                          "<Policy default>\n  <Limit All>\n    Order allow,deny\n    Allow all\n"
                                          "  </Limit>\n</Policy>\n";
    std::ofstream(root + "cups-files.conf") << "SetEnv VELLORA_HOME " << FaxHome() << "\nServerRoot " << root << "\nRequestRoot " << root << "spool\nTempDir "
                                            << root << "tmp\nCacheDir " << root << "cache\nStateDir " << root
                                            << "state\nErrorLog " << root << "log/error_log\nAccessLog " << root
                                            << "log/access_log\nPageLog " << root
                                            << "log/page_log\nServerBin " << serverBin_.path().string() << "\nDataDir /usr/share/cups\n"
                                               "Sandboxing Relaxed\nSystemGroup root\n";
    pid_ = fork();
    if (pid_ == 0) {
        execl("/usr/sbin/cupsd", "cupsd", "-f", "-c", (root + "cupsd.conf").c_str(), "-s",
              (root + "cups-files.conf").c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    if (pid_ < 0)
        return false;
    for (int i = 0; i < 100 && !fs::exists(socket); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    setenv("CUPS_SERVER", socket.c_str(), 1);
    const std::map<std::string, std::string> env = {{"CUPS_SERVER", socket}};
    if (Run("/usr/sbin/lpadmin", {"-p", kPrinter, "-E", "-v", "cups-pdf:/", "-P", "/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd"},
            env)
            .status != 0)
        return false;
    if (Run("/usr/sbin/lpadmin", {"-d", kPrinter}, env).status != 0)
        return false;
    for (const fs::path& file : PdfFiles(outFolder_))
        seen_.insert(file);
    return true;
}

std::string TestCupsServer::NextPdf(std::chrono::seconds wait)
{
    const auto end = std::chrono::steady_clock::now() + wait;
    while (std::chrono::steady_clock::now() < end) {
        QApplication::processEvents(QEventLoop::AllEvents, 50);
        for (const fs::path& file : PdfFiles(outFolder_)) {
            // cups-pdf writes the file and then closes it: it counts once pdfinfo reads it whole.
            if (seen_.count(file) != 0 || PdfPages(file.string()) <= 0)
                continue;
            seen_.insert(file);
            made_.insert(file);
            return file.string();
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return {};
}

int PdfPages(const std::string& pdf)
{
    const RunResult info = Run("/usr/bin/pdfinfo", {pdf});
    const std::size_t at = info.out.find("Pages:");
    return info.status != 0 || at == std::string::npos ? -1 : std::stoi(info.out.substr(at + 6));
}

}  // namespace vl::test
