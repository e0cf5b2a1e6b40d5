#include "app/ReceiptPrinterChoice.h"

#include <algorithm>
#include <cctype>
#include <iterator>

namespace vl::app {

namespace {

bool Usable(const std::vector<std::string>& printers, int position)
{
    return position >= 0 && position < static_cast<int>(printers.size()) &&
           !IsOwnFaxPrinter(printers[static_cast<std::size_t>(position)]);
}

}  // namespace

std::vector<std::string> ReceiptPrinterCandidates(const std::vector<std::string>& printers)
{
    std::vector<std::string> candidates;
    std::copy_if(printers.begin(), printers.end(), std::back_inserter(candidates),
                 [](const std::string& name) { return !IsOwnFaxPrinter(name); });
    return candidates;
}

int PrinterPosition(const std::vector<std::string>& printers, std::string_view name)
{
    const auto it = std::find(printers.begin(), printers.end(), name);
    return it == printers.end() ? -1 : static_cast<int>(it - printers.begin());
}

bool IsOwnFaxPrinter(std::string_view printerName)
{
    std::string upper(printerName);
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return upper.find("VELLORA") != std::string::npos;
}

int InitialPrinterSelection(const std::vector<std::string>& printers)
{
    if (printers.empty())
        return -1;
    if (printers.size() > 1 && IsOwnFaxPrinter(printers.front()))
        return static_cast<int>(printers.size()) - 1;
    return 0;
}

ReceiptPrinterChoice ChooseReceiptPrinter(const std::vector<std::string>& printers, int current,
                                          std::string_view stored, bool interactive,
                                          const PrinterChooser& choose)
{
    if (printers.empty())
        return {false, -1, interactive ? std::string(kNoPrintersText) : std::string()};
    if (Usable(printers, current))
        return {true, current, {}};
    const int storedPosition = PrinterPosition(printers, stored);
    if (Usable(printers, storedPosition))
        return {true, storedPosition, {}};
    if (!interactive)
        return {};
    const std::optional<int> picked = choose(printers);
    if (!picked || *picked < 0 || *picked >= static_cast<int>(printers.size()))
        return {};
    return {true, *picked, {}};
}

}  // namespace vl::app
