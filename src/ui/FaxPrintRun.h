// Printing a fax from a window: the printer faxes go to, the "Print" window's
// questions, and the job itself with its status window.
#pragma once

#include <QString>

#include <string>

#include "app/Settings.h"
#include "print/VlFaxPrinter.h"

class QWidget;

namespace vl::ui {

// The printer chosen in Print Setup or for received faxes; empty for the
// system's default printer.
QString& CurrentPrinterName();

// Whether there is a printer to print on now: the current one, else the
// system's default.
bool PrinterAvailable();

struct PrintRequest {
    std::string header;        // the header line's text, when the options ask for one
    std::string title;         // the job's title in the spooler
    bool currentPageOnly = false;
    int currentPage = 1;
};

// Makes sure faxes go to a usable printer, asking the user when needed (the
// receipt printer choice over the installed printers). False when there is none, which has then been said.
bool ChoosePrinter(const std::string& storedReceiptPrinter, QWidget* mainWindow);

// Prints `printer`'s range with the options (one page to a sheet when
// `request` asks for the current page alone) and the "Print Status" window.
// Throws when there is no printer, and what printing throws.
void PrintWithOptions(print::VlFaxPrinter& printer, const app::PrintOptions& options, const PrintRequest& request,
                      QWidget* parent);

// A received fax, every page on a sheet of its own, with the header and
// footer the print options ask for, on the receipt printer when one is
// named and installed.
void PrintOnReceipt(const std::string& faxFile, const std::string& header, const std::string& storedReceiptPrinter,
                    QWidget* parent);

// Asks for the range and options in "Print" (the options are saved whatever
// the answer) and, on Ok, prints `printer`'s file with the "Print Status"
// window. False when the user cancelled or there is no printer (which is
// then said). Printing errors are thrown.
bool AskAndPrint(print::VlFaxPrinter& printer, const PrintRequest& request, QWidget* parent);

}  // namespace vl::ui
