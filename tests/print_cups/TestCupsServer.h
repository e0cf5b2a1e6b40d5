// A CUPS server of the tests' own, started once for the test program and
// stopped at its end (the CUPS library keeps to the first server it talked
// to). It has a PDF printer (cups-pdf), and the program's own backend in a
// backend folder of the server's, for "vellora-cli printer install" to
// use. It needs root (cupsd and the backends run as root) and the cups
// packages; without them the tests are skipped.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <set>
#include <string>

#include "support/TestSupport.h"

namespace vl::test {

class TestCupsServer {
public:
    static constexpr const char* kPrinter = "TestPdfPrinter";

    // The one server of the test program.
    static TestCupsServer& Shared();

    TestCupsServer();
    ~TestCupsServer();
    TestCupsServer(const TestCupsServer&) = delete;
    TestCupsServer& operator=(const TestCupsServer&) = delete;

    // Empty when the server runs; else why it cannot.
    const std::string& Missing() const { return missing_; }

    // What a print command needs to reach this server and its programs:
    // CUPS_SERVER and CUPS_SERVERBIN.
    std::map<std::string, std::string> Env() const;

    // The data folder the server's backends deliver Vellora's jobs to (they
    // are given it as VELLORA_HOME); ends in "/".
    std::string FaxHome() const { return dir_.folder() + "fax-home/"; }

    // What the server and its backends logged.
    std::string ErrorLog() const { return ReadFile(dir_.folder() + "log/error_log"); }

    // The PDF file of the next job that cups-pdf finishes, waiting up to
    // `wait` while Qt's events run; empty when none came. The files are
    // removed with the server.
    std::string NextPdf(std::chrono::seconds wait = std::chrono::seconds(30));

private:
    bool Start();
    bool MakeServerBin();

    TempDir dir_;
    TempDir serverBin_;  // not world-writable, as cupsd asks of its programs' folders
    std::string outFolder_;
    std::string missing_;
    pid_t pid_ = -1;
    // The PDF files there before the server started, and those handed out.
    std::set<std::filesystem::path> seen_;
    std::set<std::filesystem::path> made_;
};

// The page count pdfinfo reads; -1 when it cannot.
int PdfPages(const std::string& pdf);

}  // namespace vl::test
