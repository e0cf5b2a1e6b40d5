// The fax converter component: turns a text file, an image file, a bitmap in
// memory or lines handed in by the program into an APF fax file. Failures
// throw the EVlException family.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "faxdoc/FaxConversion.h"
#include "faxdoc/FaxFont.h"
#include "gfx/ColorBitmap.h"
#include "gfx/MonoBitmap.h"
#include "gfx/TextDrawing.h"

namespace vl::faxdoc {

enum class FaxInputDocumentType { idNone, idText, idTextEx, idTiff, idPcx, idDcx, idBmp, idBitmap, idUser };

enum FaxCvtOption : std::uint16_t {
    coDoubleWidth = 1,
    coHalfHeight = 2,
    coCenterImage = 4,
    coYield = 8,
    coYieldOften = 16,
};
using FaxCvtOptions = std::uint16_t;

enum class FaxResolution { frNormal, frHigh };
enum class FaxWidth { fwNormal, fwWide };

class VlFaxConverter {
public:
    using StatusEvent = std::function<void(VlFaxConverter& sender, bool starting, bool ending, int pagesConverted,
                                           int linesConverted, std::uint64_t bytesConverted,
                                           std::uint64_t bytesToConvert, bool& abort)>;
    using OpenFileEvent = std::function<void(VlFaxConverter& sender, const std::string& fileName)>;
    using CloseFileEvent = std::function<void(VlFaxConverter& sender)>;
    using ReadLineEvent = std::function<void(VlFaxConverter& sender, std::vector<std::uint8_t>& data,
                                             bool& endOfPage, bool& morePages)>;

    FaxInputDocumentType InputDocumentType() const { return inputType_; }
    void SetInputDocumentType(FaxInputDocumentType type) { inputType_ = type; }
    FaxCvtOptions Options() const { return options_; }
    // Asking to yield often also asks to yield.
    void SetOptions(FaxCvtOptions options);
    FaxResolution Resolution() const { return resolution_; }
    void SetResolution(FaxResolution resolution) { resolution_ = resolution; }
    FaxWidth Width() const { return width_; }
    void SetWidth(FaxWidth width) { width_ = width; }
    int TopMargin() const { return topMargin_; }
    void SetTopMargin(int lines) { topMargin_ = lines; }
    int LeftMargin() const { return leftMargin_; }
    void SetLeftMargin(int pixels) { leftMargin_ = pixels; }
    int LinesPerPage() const { return linesPerPage_; }
    void SetLinesPerPage(int lines) { linesPerPage_ = lines; }
    int TabStop() const { return tabStop_; }
    void SetTabStop(int characters) { tabStop_ = characters; }
    const gfx::FontSpec& EnhFont() const { return enhFont_; }
    void SetEnhFont(const gfx::FontSpec& font) { enhFont_ = font; }
    // The name is kept for settings that store it; the glyphs are built in.
    const std::string& FontFile() const { return fontFile_; }
    void SetFontFile(const std::string& name) { fontFile_ = name; }
    FaxFontSize FontType() const { return fontType_; }
    void SetFontType(FaxFontSize size) { fontType_ = size; }
    const std::string& DocumentFile() const { return documentFile_; }
    // Also sets OutFileName to the same name with the extension ".APF".
    void SetDocumentFile(const std::string& name);
    const std::string& OutFileName() const { return outFileName_; }
    void SetOutFileName(const std::string& name) { outFileName_ = name; }
    const std::string& DefUserExtension() const { return defUserExtension_; }
    void SetDefUserExtension(const std::string& extension) { defUserExtension_ = extension; }
    const std::string& StationID() const { return stationId_; }
    void SetStationID(const std::string& id) { stationId_ = id; }

    StatusEvent OnStatus;
    OpenFileEvent OnOpenUserFile;
    CloseFileEvent OnCloseUserFile;
    ReadLineEvent OnReadUserLine;
    // The program's message loop, run while the conversion yields: answers
    // ecGotQuitMsg when it met a quit message. Without it only the window
    // system's events run (base/WindowSystemPump.h).
    std::function<int()> ProcessMessages;

    // Converts DocumentFile into OutFileName (or the document's name with
    // ".APF" when that is empty) through the source InputDocumentType names.
    void ConvertToFile();
    // Converts a bitmap held in memory into OutFileName; InputDocumentType is
    // left as it was.
    void ConvertBitmapToFile(const gfx::MonoBitmap& bitmap);
    void ConvertBitmapToFile(const gfx::ColorBitmap& bitmap);

private:
    bool HighResolution() const { return resolution_ == FaxResolution::frHigh; }
    int PageWidth() const;
    FitRequest ImageFit() const;
    std::unique_ptr<LineSource> MakeSource(int& rc);
    template <class Bitmap>
    void ConvertAttached(const Bitmap& bitmap);
    int Run(LineSource& source, const std::string& inputName);

    FaxInputDocumentType inputType_ = FaxInputDocumentType::idNone;
    FaxCvtOptions options_ = coDoubleWidth | coCenterImage | coYield;
    FaxResolution resolution_ = FaxResolution::frNormal;
    FaxWidth width_ = FaxWidth::fwNormal;
    int topMargin_ = 0;
    int leftMargin_ = 50;
    int linesPerPage_ = 60;
    int tabStop_ = 4;
    gfx::FontSpec enhFont_;
    std::string fontFile_ = "VLFAX.FNT";
    FaxFontSize fontType_ = FaxFontSize::Standard;
    std::string documentFile_;
    std::string outFileName_;
    std::string defUserExtension_;
    std::string stationId_;
};

}  // namespace vl::faxdoc
