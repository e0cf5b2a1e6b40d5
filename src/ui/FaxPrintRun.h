// Printing a fax from a window: the printer faxes go to, the "Print" window's
// questions, and the job itself with its status window.
#pragma once

#include <QString>

#include <functional>
#include <string>

#include "print/VlFaxPrinter.h"

class QPrinter;
class QWidget;

namespace vl::ui {

// The printer chosen in Print Setup or for received faxes; empty for the
// system's default printer.
QString& CurrentPrinterName();

// Points a printer at where faxes print; false when there is no printer to
// print on. By default the current printer, else the system's default.
using PrinterTarget = std::function<bool(QPrinter&)>;
// Replaces the target (tests print into a PDF file); an empty one restores
// the default. Answers the one replaced.
PrinterTarget SetPrinterTarget(PrinterTarget target);
// Whether the target has a printer to print on now.
bool PrinterAvailable();

struct PrintRequest {
    std::string header;        // the header line's text, when the options ask for one
    std::string title;         // the job's title in the spooler
    bool currentPageOnly = false;
    int currentPage = 1;
};

// Asks for the range and options in "Print" (the options are saved whatever
// the answer) and, on Ok, prints `printer`'s file with the "Print Status"
// window. False when the user cancelled or there is no printer (which is
// then said). Printing errors are thrown.
bool AskAndPrint(print::VlFaxPrinter& printer, const PrintRequest& request, QWidget* parent);

}  // namespace vl::ui
