// A CUPS server of the test's own with one PDF printer (cups-pdf), started
// for a test and stopped after it. It needs root (cupsd and the cups-pdf
// backend run as root) and both packages; without them the test is skipped.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <set>
#include <string>

#include "support/TestSupport.h"

namespace vl::test {

class CupsPdfServer {
public:
    static constexpr const char* kPrinter = "TestPdfPrinter";

    CupsPdfServer();
    ~CupsPdfServer();
    CupsPdfServer(const CupsPdfServer&) = delete;
    CupsPdfServer& operator=(const CupsPdfServer&) = delete;

    // Empty when the server runs; else why it cannot.
    const std::string& Missing() const { return missing_; }

    // The PDF file of the next job that cups-pdf finishes, waiting up to
    // `wait` while Qt's events run; empty when none came. The files are
    // removed with the server.
    std::string NextPdf(std::chrono::seconds wait = std::chrono::seconds(30));

private:
    bool Start();

    TempDir dir_;
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
