#include "app/PrinterDriverLink.h"

#include "base/IniFile.h"

namespace vl::app {

std::string PrinterDriverLinkFileName() { return ProgramFile("VLPD.INI"); }

PrinterDriverLink CurrentPrinterDriverLink() { return {SendFolder(), ExecutableFolder() + "vellora"}; }

void WritePrinterDriverLink(const std::string& fileName, const PrinterDriverLink& link) {
    base::IniFile ini = base::IniFile::Load(fileName);
    ini.WriteString(kPrinterDriverLinkSection, "VLOutPath", link.VLOutPath);
    ini.WriteString(kPrinterDriverLinkSection, "VLExecutable", link.VLExecutable);
    ini.Save();
}

PrinterDriverLink ReadPrinterDriverLink(const std::string& fileName) {
    base::IniFile ini = base::IniFile::Load(fileName);
    return {ini.ReadString(kPrinterDriverLinkSection, "VLOutPath", kLinkNotFound),
            ini.ReadString(kPrinterDriverLinkSection, "VLExecutable", kLinkNotFound)};
}

}  // namespace vl::app
