#include "ui/SystemPrinters.h"

#include <QPrinter>
#include <QPrinterInfo>

#include <algorithm>
#include <utility>

#include "ui/UiText.h"

namespace vl::ui {

namespace {

SystemPrinters QtPrinters()
{
    return {[] {
                std::vector<std::string> names;
                for (const QString& name : QPrinterInfo::availablePrinterNames())
                    names.push_back(FromQt(name));
                return names;
            },
            [] { return FromQt(QPrinterInfo::defaultPrinterName()); },
            [](QPrinter& printer, const std::string& name) { printer.setPrinterName(ToQt(name)); }};
}

SystemPrinters& InUse()
{
    static SystemPrinters printers = QtPrinters();
    return printers;
}

}  // namespace

const SystemPrinters& Printers()
{
    return InUse();
}

SystemPrinters SetPrinters(SystemPrinters printers)
{
    return std::exchange(InUse(), printers.names ? std::move(printers) : QtPrinters());
}

bool IsInstalledPrinter(const std::string& name)
{
    const std::vector<std::string> names = Printers().names();
    return !name.empty() && std::find(names.begin(), names.end(), name) != names.end();
}

}  // namespace vl::ui
