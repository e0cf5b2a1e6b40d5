#include "faxdoc/VlFaxUnpacker.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "base/AtomicFile.h"
#include "base/ErrorCodes.h"
#include "base/Exceptions.h"
#include "base/TextCase.h"
#include "base/WindowSystemPump.h"
#include "faxdoc/ApfReader.h"
#include "faxdoc/OutputFileName.h"
#include "faxdoc/UnpackTurns.h"
#include "faxdoc/Unpacker.h"

namespace vl::faxdoc {

namespace {

// The program's loop, or the window system's events alone.
int Yield(const std::function<int()>& processMessages) {
    if (processMessages) return processMessages();
    base::PumpWindowSystem();
    return base::ecOK;
}

}  // namespace

void VlFaxUnpacker::SetOptions(UnpackerOptions options) {
    options_ = options;
    if (running_ && (options & uoAbort) != 0) abortRequested_ = true;
}

void VlFaxUnpacker::SetInFileName(const std::string& name) {
    if (base::EqualsNoCase(name, inFileName_)) return;
    inFileName_ = name;
    outFileName_ = std::filesystem::path(name).replace_extension().string();
}

int VlFaxUnpacker::CountPages() const {
    ApfFileHeader header;
    base::CheckException(ApfReadHeader(inFileName_, header));
    return header.pageCount;
}

bool VlFaxUnpacker::FirstPageFine() const {
    ApfFileHeader header;
    ApfPageHeader page;
    base::CheckException(ApfFindPage(inFileName_, 1, header, page));
    return page.HighResolution();
}

bool VlFaxUnpacker::FirstPageWide() const {
    ApfFileHeader header;
    ApfPageHeader page;
    base::CheckException(ApfFindPage(inFileName_, 1, header, page));
    return page.Wide();
}

UnpackOptions VlFaxUnpacker::Prepare(unsigned page) {
    UnpackOptions options;
    switch (autoScaleMode_) {
        case AutoScaleMode::asNone: options.aspect = AspectMode::None; break;
        case AutoScaleMode::asDoubleHeight: options.aspect = AspectMode::DoubleHeight; break;
        case AutoScaleMode::asHalfWidth: options.aspect = AspectMode::HalfWidth; break;
    }
    if (whitespaceCompression_) {
        options.whitespaceFrom = whitespaceFrom_;
        options.whitespaceTo = whitespaceTo_;
    }
    if (scaling_) {
        options.horizMult = horizMult_;
        options.horizDiv = horizDiv_;
        options.vertMult = vertMult_;
        options.vertDiv = vertDiv_;
    }
    const bool yield = (options_ & uoYield) != 0;
    options.onProgress = [this, page, yield, turns = UnpackTurns()](const UnpackProgress& progress) mutable {
        if (yield && turns.Due(progress) && Yield(ProcessMessages) == base::ecGotQuitMsg) return UnpackControl::Quit;
        if (OnStatus) OnStatus(*this, inFileName_, static_cast<int>(page), progress.bytesDone, progress.bytesTotal);
        return abortRequested_ ? UnpackControl::Abort : UnpackControl::Continue;
    };
    return options;
}

PageImage VlFaxUnpacker::Decode(unsigned page) {
    struct Running {
        explicit Running(VlFaxUnpacker& unpacker) : u(unpacker) { u.running_ = true; }
        ~Running() {
            u.running_ = false;
            u.abortRequested_ = false;
        }
        VlFaxUnpacker& u;
    } running(*this);
    abortRequested_ = false;
    PageImage image;
    const int rc = UnpackApfPage(inFileName_, page, Prepare(page), image);
    if (rc != base::ecUnpackAbort) base::CheckException(rc);
    return image;
}

gfx::MonoBitmap VlFaxUnpacker::DecodePageToBitmap(unsigned page) {
    const PageImage image = Decode(page);
    // A page that long (a damaged stream, or one stretched) has no bitmap.
    if (image.width > gfx::MonoBitmap::kMaxSide || image.height > gfx::MonoBitmap::kMaxSide)
        throw base::ECantMakeBitmap();
    gfx::MonoBitmap bitmap(image.width, image.height);
    for (int y = 0; y < image.height; ++y) {
        std::span<std::uint8_t> row = bitmap.Row(y);
        std::memcpy(row.data(), image.Row(y), std::min<std::size_t>(row.size(), image.stride));
    }
    return bitmap;
}

std::string VlFaxUnpacker::ExportPage(unsigned page, ExportFormat format) {
    std::string file;
    base::CheckException(EncodePage(Decode(page), format, file));
    const std::string name = OutputFileName(inFileName_, outFileName_, ExportExtension(format));
    try {
        base::ReplaceFileAtomically(name, file);
    } catch (const std::system_error& error) {
        throw base::EInOutError(error.code().value());
    }
    return name;
}

}  // namespace vl::faxdoc
