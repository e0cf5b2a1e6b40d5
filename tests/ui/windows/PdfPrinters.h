// Installed printers for window tests: each writes its jobs as PDF files,
// and the first is the default. The printers they replace come back when
// they go; the printer chosen among the replaced ones is forgotten.
#pragma once

#include <QPrinter>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "ui/FaxPrintRun.h"
#include "ui/SystemPrinters.h"

namespace vl::test {

class PdfPrinters {
public:
    // `nextFile` names the PDF file of each job, whichever printer it is on.
    PdfPrinters(std::vector<std::string> names, std::function<std::string()> nextFile)
    {
        ui::CurrentPrinterName().clear();
        replaced_ = ui::SetPrinters(
            {[names] { return names; }, [names] { return names.empty() ? std::string() : names.front(); },
             [nextFile = std::move(nextFile)](QPrinter& printer, const std::string&) {
                 printer.setOutputFormat(QPrinter::PdfFormat);
                 printer.setOutputFileName(QString::fromStdString(nextFile()));
             }});
    }
    ~PdfPrinters()
    {
        ui::CurrentPrinterName().clear();
        ui::SetPrinters(std::move(replaced_));
    }
    PdfPrinters(const PdfPrinters&) = delete;
    PdfPrinters& operator=(const PdfPrinters&) = delete;

private:
    ui::SystemPrinters replaced_;
};

}  // namespace vl::test
