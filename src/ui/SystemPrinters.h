// The printers faxes print on: by default the system's print queues as Qt
// sees them. Tests put their own in place (a named printer that writes a PDF
// file), and every choice and check then runs over those.
#pragma once

#include <functional>
#include <string>
#include <vector>

class QPrinter;

namespace vl::ui {

struct SystemPrinters {
    std::function<std::vector<std::string>()> names;  // the installed printers
    std::function<std::string()> defaultName;         // the default one; empty for none
    std::function<void(QPrinter&, const std::string&)> select;  // points a QPrinter at one of them
};

// The printers in use.
const SystemPrinters& Printers();

// Puts `printers` in place of those in use and answers the ones replaced; an
// empty `names` puts the system's back.
SystemPrinters SetPrinters(SystemPrinters printers);

// Whether a printer of that name is installed.
bool IsInstalledPrinter(const std::string& name);

}  // namespace vl::ui
