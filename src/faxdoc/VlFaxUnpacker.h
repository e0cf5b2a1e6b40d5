// The fax unpacker component: pages of an APF file as bitmaps for the viewer
// and the printer, or as picture files. Failures throw the EVlException
// family; an abort is no failure.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "faxdoc/PageExport.h"
#include "faxdoc/UnpackOptions.h"
#include "gfx/MonoBitmap.h"

namespace vl::faxdoc {

enum UnpackerOption : std::uint8_t {
    uoYield = 1,
    uoAbort = 2,
};
using UnpackerOptions = std::uint8_t;

enum class AutoScaleMode { asNone, asDoubleHeight, asHalfWidth };

class VlFaxUnpacker {
public:
    using StatusEvent = std::function<void(VlFaxUnpacker& sender, const std::string& fileName, int pageNumber,
                                           std::uint64_t bytesUnpacked, std::uint64_t bytesToUnpack)>;

    UnpackerOptions Options() const { return options_; }
    // Setting uoAbort while a page decodes stops it; the page so far is kept.
    void SetOptions(UnpackerOptions options);
    bool WhitespaceCompression() const { return whitespaceCompression_; }
    void SetWhitespaceCompression(bool on) { whitespaceCompression_ = on; }
    int WhitespaceFrom() const { return whitespaceFrom_; }
    void SetWhitespaceFrom(int lines) { whitespaceFrom_ = lines; }
    int WhitespaceTo() const { return whitespaceTo_; }
    void SetWhitespaceTo(int lines) { whitespaceTo_ = lines; }
    bool Scaling() const { return scaling_; }
    void SetScaling(bool on) { scaling_ = on; }
    // The scaling factors; a 0 is ignored.
    int HorizMult() const { return horizMult_; }
    void SetHorizMult(int factor) { SetFactor(horizMult_, factor); }
    int HorizDiv() const { return horizDiv_; }
    void SetHorizDiv(int factor) { SetFactor(horizDiv_, factor); }
    int VertMult() const { return vertMult_; }
    void SetVertMult(int factor) { SetFactor(vertMult_, factor); }
    int VertDiv() const { return vertDiv_; }
    void SetVertDiv(int factor) { SetFactor(vertDiv_, factor); }
    AutoScaleMode AutoScale() const { return autoScaleMode_; }
    void SetAutoScaleMode(AutoScaleMode mode) { autoScaleMode_ = mode; }
    const std::string& InFileName() const { return inFileName_; }
    // A new name (other than the current one in any letter case) also makes
    // OutFileName the same name without its extension.
    void SetInFileName(const std::string& name);
    const std::string& OutFileName() const { return outFileName_; }
    void SetOutFileName(const std::string& name) { outFileName_ = name; }

    StatusEvent OnStatus;
    // The program's message loop, run every 16 lines while yielding: answers
    // ecGotQuitMsg when it met a quit message. Without it only the window
    // system's events run.
    std::function<int()> ProcessMessages;

    int CountPages() const;
    bool FirstPageFine() const;
    bool FirstPageWide() const;

    // The page (from 1), as wide as its rightmost black pixel; empty when no
    // line of it could be read. ECantMakeBitmap for a side above
    // gfx::MonoBitmap::kMaxSide.
    gfx::MonoBitmap DecodePageToBitmap(unsigned page);

    // Write the page to the export name (OutFileName with the format's
    // extension when it has none, else InFileName with its extension
    // replaced) and answer that name. A failed export leaves no file.
    std::string ExportPagePcx(unsigned page) { return ExportPage(page, ExportFormat::Pcx); }
    std::string ExportPageDcx(unsigned page) { return ExportPage(page, ExportFormat::Dcx); }
    std::string ExportPageBmp(unsigned page) { return ExportPage(page, ExportFormat::Bmp); }
    std::string ExportPagePng(unsigned page) { return ExportPage(page, ExportFormat::Png); }
    std::string ExportPage(unsigned page, ExportFormat format);

private:
    static void SetFactor(int& factor, int value) {
        if (value != 0) factor = value;
    }
    UnpackOptions Prepare(unsigned page);
    PageImage Decode(unsigned page);

    UnpackerOptions options_ = uoYield;
    bool whitespaceCompression_ = false;
    int whitespaceFrom_ = 0;
    int whitespaceTo_ = 0;
    bool scaling_ = false;
    int horizMult_ = 1;
    int horizDiv_ = 1;
    int vertMult_ = 1;
    int vertDiv_ = 1;
    AutoScaleMode autoScaleMode_ = AutoScaleMode::asDoubleHeight;
    std::string inFileName_;
    std::string outFileName_;
    bool running_ = false;
    bool abortRequested_ = false;
};

}  // namespace vl::faxdoc
