// The fax printer component: a range of pages of an APF file on a printer,
// one or several to a sheet, with a header and a footer line. Failures throw
// the EVlException family; an abort is no failure.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "faxdoc/VlFaxUnpacker.h"
#include "gfx/TextDrawing.h"
#include "print/SheetLayout.h"
#include "print/VlFaxPrinterLog.h"

class QPainter;
class QPrinter;
class QRect;

namespace vl::print {

// The progress of a print run, as the status window names it.
enum class PrintProgress { Idle = 0, Composing, Rendering, Submitting, Converting };
const char* PrintProgressName(PrintProgress progress);

struct FaxMargin {
    std::string Caption;
    bool Enabled = false;
    gfx::FontSpec Font{"Arial", 8};
};

class VlFaxPrinter {
public:
    VlFaxPrinter();

    const std::string& FileName() const { return fileName_; }
    // Reads the file's header: the page count, the first page's resolution and
    // width, and the range 1..page count (0..0 for an empty or unreadable file).
    void SetFileName(const std::string& name);
    int PageCount() const { return pageCount_; }
    // "standard" or "high".
    const std::string& FaxResolution() const { return resolution_; }
    // "1728" or "2048".
    const std::string& FaxWidth() const { return width_; }

    std::uint16_t FirstPage = 0;
    std::uint16_t LastPage = 0;
    bool MultiPage = false;
    PrintScale Scale = PrintScale::psFitToPage;
    FaxMargin FaxHeader{"File: $F"};
    FaxMargin FaxFooter{"Page: $P of $N"};
    // The job's title in the spooler.
    std::string Caption;
    // Where the job is logged; none when null.
    const VlFaxPrinterLog* FaxPrinterLog = nullptr;

    std::function<void(int page, int pageCount)> OnNextPage;
    std::function<void(PrintProgress progress)> OnFaxPrintStatus;
    std::function<void(PrintLogCode code)> OnFaxPrintLog;
    // The program's message loop, run at each change of progress. Without it
    // only the window system's events run.
    std::function<int()> ProcessMessages;

    // Prints FirstPage..LastPage on `printer`. A page that cannot be decoded
    // logs a failure and throws its code after the job is cancelled.
    void PrintFax(QPrinter& printer);
    // From a status window while PrintFax runs: stops before the next page.
    void PrintAbort();
    bool Printing() const { return printer_ != nullptr; }

private:
    void Progress(PrintProgress progress);
    void Log(PrintLogCode code);
    void PrintPage(QPainter& painter, int page, int index, const SheetOptions& sheet);
    void DrawMargin(QPainter& painter, const FaxMargin& margin, int page, bool top, QRect& cell) const;

    std::string fileName_;
    int pageCount_ = 0;
    std::string resolution_;
    std::string width_;
    faxdoc::VlFaxUnpacker unpacker_;
    QPrinter* printer_ = nullptr;
    bool aborted_ = false;
};

}  // namespace vl::print
