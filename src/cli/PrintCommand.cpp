// vellora-cli print: pages of an APF file on a printer, or into a PDF file,
// through the program's fax printer.
#include <cstdio>
#include <string>

#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>

#include "base/Exceptions.h"
#include "cli/Commands.h"
#include "cli/FaxCommandOptions.h"
#include "gfx/GuiApplication.h"
#include "print/VlFaxPrinter.h"

namespace vl::cli {

namespace {

constexpr std::string_view kGroup = "print";

const char kPrintUsage[] =
    "usage: vellora-cli print FILE.APF [--printer NAME | -o OUT.PDF] [--pages A-B] [--four-up]\n"
    "         [--header TEXT] [--footer] [--no-fit]\n";

int Usage(const std::string& problem) { return BadInput(kGroup, problem + "\n" + kPrintUsage); }

// "A-B" or "A" within 1..pageCount.
bool ParsePages(const std::string& text, int pageCount, std::uint16_t& first, std::uint16_t& last) {
    const std::size_t dash = text.find('-');
    const std::string from = text.substr(0, dash);
    const std::string to = dash == std::string::npos ? from : text.substr(dash + 1);
    if (from.empty() || to.empty() || from.find_first_not_of("0123456789") != std::string::npos ||
        to.find_first_not_of("0123456789") != std::string::npos || from.size() > 5 || to.size() > 5)
        return false;
    const int a = std::stoi(from);
    const int b = std::stoi(to);
    if (a < 1 || a > b || b > pageCount) return false;
    first = static_cast<std::uint16_t>(a);
    last = static_cast<std::uint16_t>(b);
    return true;
}

// The named printer, the PDF file, or the system's default printer; empty
// when there is none.
QString ChoosePrinter(const OptionScan& scan, QPrinter& printer) {
    if (scan.values.count("-o")) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(scan.values.at("-o")));
        return printer.outputFileName();
    }
    const QString name = scan.values.count("--printer") ? QString::fromStdString(scan.values.at("--printer"))
                                                        : QPrinterInfo::defaultPrinterName();
    if (name.isEmpty() || QPrinterInfo::printerInfo(name).isNull()) return {};
    printer.setPrinterName(name);
    return name;
}

}  // namespace

int RunPrintCommand(const Args& args) {
    OptionScan scan;
    std::string problem;
    if (!ScanOptions(args, {"--printer", "-o", "--pages", "--header"}, {"--four-up", "--footer", "--no-fit"}, scan,
                     problem))
        return Usage(problem);
    if (scan.words.size() != 1) return Usage("one fax file expected");
    if (scan.values.count("--printer") && scan.values.count("-o")) return Usage("--printer and -o exclude each other");

    gfx::EnsureGuiApplication();
    print::VlFaxPrinter faxPrinter;
    faxPrinter.SetFileName(scan.words.front());
    if (faxPrinter.PageCount() == 0) return BadInput(kGroup, scan.words.front() + ": no fax pages to print");
    if (scan.values.count("--pages") &&
        !ParsePages(scan.values.at("--pages"), faxPrinter.PageCount(), faxPrinter.FirstPage, faxPrinter.LastPage))
        return Usage("--pages takes A-B within 1-" + std::to_string(faxPrinter.PageCount()));
    faxPrinter.MultiPage = scan.switches.count("--four-up") > 0;
    faxPrinter.Scale = scan.switches.count("--no-fit") ? print::PrintScale::psNone : print::PrintScale::psFitToPage;
    if (scan.values.count("--header")) {
        faxPrinter.FaxHeader.Enabled = true;
        faxPrinter.FaxHeader.Caption = scan.values.at("--header");
    }
    faxPrinter.FaxFooter.Enabled = scan.switches.count("--footer") > 0;
    faxPrinter.Caption = scan.words.front();

    QPrinter printer(QPrinter::HighResolution);
    const QString target = ChoosePrinter(scan, printer);
    if (target.isEmpty()) return Failed(kGroup, "Vellora cannot find any installed printers.");
    try {
        faxPrinter.PrintFax(printer);
    } catch (const base::EVlException& e) {
        return Failed(kGroup, scan.words.front() + ": " + e.what());
    } catch (const base::EInOutError& e) {
        return Failed(kGroup, scan.words.front() + ": " + e.what());
    }
    std::printf("Printed pages %d-%d of %s on %s\n", faxPrinter.FirstPage, faxPrinter.LastPage,
                scan.words.front().c_str(), target.toLocal8Bit().constData());
    return kExitOk;
}

}  // namespace vl::cli
