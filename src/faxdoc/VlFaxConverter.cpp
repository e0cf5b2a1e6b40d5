#include "faxdoc/VlFaxConverter.h"

#include <filesystem>

#include "base/ErrorCodes.h"
#include "base/Exceptions.h"
#include "base/WindowSystemPump.h"
#include "faxdoc/ApfFormat.h"
#include "faxdoc/BitmapSource.h"
#include "faxdoc/EnhancedTextSource.h"
#include "faxdoc/FontTextSource.h"
#include "faxdoc/ImageSourceFormats.h"
#include "faxdoc/UserSource.h"

namespace vl::faxdoc {

void VlFaxConverter::SetOptions(FaxCvtOptions options) {
    options_ = (options & coYieldOften) != 0 ? static_cast<FaxCvtOptions>(options | coYield) : options;
}

void VlFaxConverter::SetDocumentFile(const std::string& name) {
    documentFile_ = name;
    outFileName_ = name.empty() ? std::string() : std::filesystem::path(name).replace_extension(".APF").string();
}

int VlFaxConverter::PageWidth() const { return width_ == FaxWidth::fwWide ? kWideWidth : kNormalWidth; }

FitRequest VlFaxConverter::ImageFit() const {
    return {PageWidth(),
            leftMargin_,
            !HighResolution(),
            (options_ & coDoubleWidth) != 0,
            (options_ & coHalfHeight) != 0,
            (options_ & coCenterImage) != 0};
}

std::unique_ptr<LineSource> VlFaxConverter::MakeSource(int& rc) {
    rc = base::ecOK;
    const TextPageLayout text{PageWidth(), leftMargin_, HighResolution(), tabStop_, linesPerPage_};
    const FitRequest fit = ImageFit();
    switch (inputType_) {
        case FaxInputDocumentType::idText:
            return std::make_unique<FontTextSource>(text, fontType_);
        case FaxInputDocumentType::idTextEx: {
            auto source = std::make_unique<EnhancedTextSource>(text, enhFont_);
            rc = source->Prepare();
            return source;
        }
        case FaxInputDocumentType::idTiff: return std::make_unique<TiffSource>(fit);
        case FaxInputDocumentType::idPcx: return std::make_unique<PcxSource>(fit);
        case FaxInputDocumentType::idDcx: return std::make_unique<DcxSource>(fit);
        case FaxInputDocumentType::idBmp: return std::make_unique<BmpSource>(fit);
        case FaxInputDocumentType::idBitmap: return std::make_unique<BitmapSource>(fit);
        case FaxInputDocumentType::idUser: {
            UserSourceEvents events;
            if (OnOpenUserFile) events.onOpen = [this](const std::string& name) { OnOpenUserFile(*this, name); };
            if (OnCloseUserFile) events.onClose = [this] { OnCloseUserFile(*this); };
            if (OnReadUserLine) {
                events.onReadLine = [this](std::vector<std::uint8_t>& data, bool& endOfPage, bool& morePages) {
                    OnReadUserLine(*this, data, endOfPage, morePages);
                };
            }
            return std::make_unique<UserSource>(std::move(events), defUserExtension_);
        }
        case FaxInputDocumentType::idNone: break;
    }
    rc = base::ecBadArgument;
    return nullptr;
}

int VlFaxConverter::Run(LineSource& source, const std::string& inputName) {
    ConversionSettings settings;
    settings.highResolution = HighResolution();
    settings.width = PageWidth();
    settings.leftMargin = leftMargin_;
    settings.topMargin = topMargin_;
    settings.yield = (options_ & coYield) != 0;
    settings.yieldOften = (options_ & coYieldOften) != 0;
    settings.stationId = stationId_;
    ConversionHooks hooks;
    if (OnStatus) {
        hooks.status = [this](const ConversionStatus& s) {
            bool abort = false;
            OnStatus(*this, s.starting, s.ending, s.pageNumber, s.lineNumber, s.bytesRead, s.bytesTotal, abort);
            return abort;
        };
    }
    // Without the program's loop the window system still gets its turn.
    hooks.processMessages = ProcessMessages ? ProcessMessages : [] {
        base::PumpWindowSystem();
        return base::ecOK;
    };
    const std::string output = ApfOutputName(inputName, outFileName_);
    if (output.empty()) return base::ecBadArgument;
    return ConvertDocument(source, inputName, output, settings, hooks);
}

void VlFaxConverter::ConvertToFile() {
    int rc = base::ecOK;
    std::unique_ptr<LineSource> source = MakeSource(rc);
    if (rc == base::ecOK) rc = Run(*source, documentFile_);
    base::CheckException(rc);
}

void VlFaxConverter::ConvertBitmapToFile(const gfx::MonoBitmap& bitmap) { ConvertAttached(bitmap); }

void VlFaxConverter::ConvertBitmapToFile(const gfx::ColorBitmap& bitmap) { ConvertAttached(bitmap); }

template <class Bitmap>
void VlFaxConverter::ConvertAttached(const Bitmap& bitmap) {
    BitmapSource source(ImageFit());
    source.Attach(&bitmap);
    base::CheckException(Run(source, std::string()));
}

}  // namespace vl::faxdoc
