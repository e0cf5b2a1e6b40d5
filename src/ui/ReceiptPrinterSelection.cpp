#include "ui/ReceiptPrinterSelection.h"

#include <vector>

#include "app/ReceiptPrinterChoice.h"
#include "ui/GetDefaultPrinterForm.h"
#include "ui/MessageBoxes.h"
#include "ui/SystemPrinters.h"

namespace vl::ui {

bool SelectReceiptPrinter(bool interactive, const std::string& storedPrinter, std::string& currentPrinter,
                          QWidget* mainWindow)
{
    const std::vector<std::string> printers = Printers().names();
    const std::string inUse = currentPrinter.empty() ? Printers().defaultName() : currentPrinter;
    const app::ReceiptPrinterChoice choice = app::ChooseReceiptPrinter(
        printers, app::PrinterPosition(printers, inUse), storedPrinter, interactive,
        [mainWindow](const std::vector<std::string>& list) { return GetDefaultPrinterForm::Choose(list, mainWindow); });
    if (!choice.message.empty())
        ShowInformation(choice.message, mainWindow);
    if (choice.ok)
        currentPrinter = printers[static_cast<std::size_t>(choice.printer)];
    return choice.ok;
}

}  // namespace vl::ui
