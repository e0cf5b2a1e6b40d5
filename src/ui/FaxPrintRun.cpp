#include "ui/FaxPrintRun.h"

#include <QPrinter>

#include <stdexcept>

#include "app/ReceiptPrinterChoice.h"
#include "app/Settings.h"
#include "ui/DialogButtons.h"
#include "ui/MessageBoxes.h"
#include "ui/PrePrintForm.h"
#include "ui/ReceiptPrinterSelection.h"
#include "ui/SystemPrinters.h"
#include "ui/UiText.h"
#include "ui/VlFaxPrinterStatus.h"

namespace vl::ui {

namespace {

// The current printer, else the system's default; empty when that is not
// an installed printer.
std::string PrinterInUse()
{
    const std::string name = CurrentPrinterName().isEmpty() ? Printers().defaultName() : FromQt(CurrentPrinterName());
    return IsInstalledPrinter(name) ? name : std::string();
}

}  // namespace

QString& CurrentPrinterName()
{
    static QString name;
    return name;
}

bool ChoosePrinter(const std::string& storedReceiptPrinter, QWidget* mainWindow)
{
    std::string current = FromQt(CurrentPrinterName());
    if (!SelectReceiptPrinter(true, storedReceiptPrinter, current, mainWindow))
        return false;
    CurrentPrinterName() = ToQt(current);
    return true;
}

bool PrinterAvailable()
{
    return !PrinterInUse().empty();
}

void PrintWithOptions(print::VlFaxPrinter& printer, const app::PrintOptions& options, const PrintRequest& request,
                      QWidget* parent)
{
    const std::string name = PrinterInUse();
    if (name.empty())
        throw std::runtime_error(std::string(app::kNoPrintersText));
    QPrinter target(QPrinter::HighResolution);
    Printers().select(target, name);
    printer.Scale = options.Stretch ? print::PrintScale::psFitToPage : print::PrintScale::psNone;
    printer.MultiPage = !request.currentPageOnly && options.MultiPage;
    printer.FaxHeader.Enabled = options.Header;
    printer.FaxHeader.Caption = options.Header ? request.header : std::string();
    printer.FaxFooter.Enabled = options.Footer;
    printer.FaxFooter.Caption = options.Footer ? "Page: $P of $N" : "";
    printer.Caption = request.title;
    VlFaxPrinterStatus status(parent);
    status.Attach(printer);
    printer.PrintFax(target);
}

void PrintOnReceipt(const std::string& faxFile, const std::string& header, const std::string& storedReceiptPrinter,
                    QWidget* parent)
{
    if (storedReceiptPrinter != app::kDefaultPrinterName && IsInstalledPrinter(storedReceiptPrinter) &&
        !app::IsOwnFaxPrinter(storedReceiptPrinter))
        CurrentPrinterName() = ToQt(storedReceiptPrinter);
    // A received fax printed on the program's own fax printer would only make another fax.
    const std::string inUse = CurrentPrinterName().isEmpty() ? Printers().defaultName() : FromQt(CurrentPrinterName());
    if (app::IsOwnFaxPrinter(inUse))
        throw std::runtime_error(inUse + " makes faxes, not printouts");
    app::PrintOptions options;
    app::LoadPrintOptions(options);
    options.MultiPage = false;
    print::VlFaxPrinter printer;
    printer.SetFileName(faxFile);
    PrintWithOptions(printer, options, {header, faxFile, false, 1}, parent);
}

bool AskAndPrint(print::VlFaxPrinter& printer, const PrintRequest& request, QWidget* parent)
{
    if (!PrinterAvailable()) {
        ShowInformation(std::string(app::kNoPrintersText), parent);
        return false;
    }
    app::PrintOptions options;
    app::LoadPrintOptions(options);
    const int first = request.currentPageOnly ? request.currentPage : printer.FirstPage;
    const int last = request.currentPageOnly ? request.currentPage : printer.LastPage;
    PrePrintForm form(printer.PageCount(), first, last, options, request.currentPageOnly, parent);
    const bool ok = ExecCentred(form, parent);
    const app::PrintOptions chosen = form.Options();
    options.Header = chosen.Header;
    options.Footer = chosen.Footer;
    options.Stretch = chosen.Stretch;
    if (!request.currentPageOnly)
        options.MultiPage = chosen.MultiPage;
    app::SavePrintOptions(options);
    if (!ok)
        return false;

    // A page printed alone leaves the range as it was.
    const std::uint16_t keptFirst = printer.FirstPage;
    const std::uint16_t keptLast = printer.LastPage;
    printer.FirstPage = static_cast<std::uint16_t>(form.FromPage());
    printer.LastPage = static_cast<std::uint16_t>(form.ToPage());
    const auto restoreRange = [&] {
        if (!request.currentPageOnly)
            return;
        printer.FirstPage = keptFirst;
        printer.LastPage = keptLast;
    };
    try {
        PrintWithOptions(printer, options, request, parent);
    } catch (...) {
        restoreRange();
        throw;
    }
    restoreRange();
    return true;
}

}  // namespace vl::ui
