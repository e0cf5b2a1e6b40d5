// Which printer received faxes are printed on: the current printer when it
// is a real one, else the stored receipt printer, else (when a person is
// there to ask) the one picked in the "Select Printer" window.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vl::app {

inline constexpr std::string_view kNoPrintersText = "Vellora cannot find any installed printers.";

// The program's own print-to-fax printer: its upper-cased name contains
// "VELLORA". Printing a received fax there would only make another fax.
bool IsOwnFaxPrinter(std::string_view printerName);

// The printers received faxes may print on: all but the program's own.
std::vector<std::string> ReceiptPrinterCandidates(const std::vector<std::string>& printers);

// The position of the printer of that name, -1 when it is not in the list.
int PrinterPosition(const std::vector<std::string>& printers, std::string_view name);

// The entry the "Select Printer" list starts on: the first, or the last when
// the first is the program's own fax printer and there are others; -1 for an
// empty list.
int InitialPrinterSelection(const std::vector<std::string>& printers);

// Asks the user for a printer; the position chosen, or empty when cancelled.
using PrinterChooser = std::function<std::optional<int>(const std::vector<std::string>& printers)>;

struct ReceiptPrinterChoice {
    bool ok = false;      // a printer is chosen
    int printer = -1;     // its position, when ok
    std::string message;  // to show the user, when not empty
};

// `current` is the position of the printer in use (-1 for none), `stored`
// the PrintOnReceiptPrinter setting. The chooser is only asked when
// `interactive` is set.
ReceiptPrinterChoice ChooseReceiptPrinter(const std::vector<std::string>& printers, int current,
                                          std::string_view stored, bool interactive,
                                          const PrinterChooser& choose);

}  // namespace vl::app
