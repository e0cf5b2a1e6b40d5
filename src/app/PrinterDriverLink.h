// VLPD.INI: tells the print-to-fax tool where to put its fax files and which
// program to start.
#pragma once

#include <string>

#include "app/ProgramFolders.h"

namespace vl::app {

inline constexpr char kPrinterDriverLinkSection[] = "Location";
inline constexpr char kLinkNotFound[] = "not found";

struct PrinterDriverLink {
    std::string VLOutPath;     // the send folder
    std::string VLExecutable;  // the desktop program
};

// ProgramFolder() + "VLPD.INI".
std::string PrinterDriverLinkFileName();

// The link of this installation: SendFolder(), and the desktop program
// "vellora" beside the running executable.
PrinterDriverLink CurrentPrinterDriverLink();

// Writes both keys, keeping the rest of the file; throws base::EIniWriteError.
void WritePrinterDriverLink(const std::string& fileName = PrinterDriverLinkFileName(),
                            const PrinterDriverLink& link = CurrentPrinterDriverLink());

// Both keys, each "not found" when missing.
PrinterDriverLink ReadPrinterDriverLink(const std::string& fileName = PrinterDriverLinkFileName());

}  // namespace vl::app
