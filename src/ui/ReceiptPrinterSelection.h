// The receipt printer choice over the system's real printer list.
#pragma once

#include <QWidget>

#include <string>

namespace vl::ui {

// Makes sure `currentPrinter` names a printer to print received faxes on
// (empty: the system's default printer is the one in use). Tries the stored
// PrintOnReceiptPrinter setting, then, when `interactive`, asks with the
// "Select Printer" window and tells the user when no printer is installed.
// True when `currentPrinter` now names an installed printer.
bool SelectReceiptPrinter(bool interactive, const std::string& storedPrinter, std::string& currentPrinter,
                          QWidget* mainWindow);

}  // namespace vl::ui
