#include "ui/ReceiptPrinterSelection.h"

#include <QPrinterInfo>

#include <vector>

#include "app/ReceiptPrinterChoice.h"
#include "ui/GetDefaultPrinterForm.h"
#include "ui/MessageBoxes.h"
#include "ui/UiText.h"

namespace vl::ui {

bool SelectReceiptPrinter(bool interactive, const std::string& storedPrinter, std::string& currentPrinter,
                          QWidget* mainWindow)
{
    std::vector<std::string> printers;
    for (const QString& name : QPrinterInfo::availablePrinterNames())
        printers.push_back(FromQt(name));
    const std::string inUse = currentPrinter.empty() ? FromQt(QPrinterInfo::defaultPrinterName()) : currentPrinter;
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
