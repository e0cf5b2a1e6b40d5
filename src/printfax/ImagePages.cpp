#include "printfax/ImagePages.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>

#include "printfax/FaxDither.h"
#include "printfax/PageFit.h"

namespace vl::printfax {

namespace {

// The image libraries under Qt's plugins print their own complaints about a
// damaged file to standard error; the tool reports the failure in one line
// of its own, so standard error is closed to them while they decode.
class QuietStandardError {
public:
    QuietStandardError() : saved_(dup(STDERR_FILENO)) {
        const int null = open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (saved_ >= 0 && null >= 0) dup2(null, STDERR_FILENO);
        if (null >= 0) close(null);
    }
    ~QuietStandardError() {
        if (saved_ < 0) return;
        dup2(saved_, STDERR_FILENO);
        close(saved_);
    }
    QuietStandardError(const QuietStandardError&) = delete;
    QuietStandardError& operator=(const QuietStandardError&) = delete;

private:
    int saved_;
};

QByteArray FormatOf(InputKind kind) {
    switch (kind) {
        case InputKind::Png: return "png";
        case InputKind::Jpeg: return "jpeg";
        default: return "tiff";
    }
}

}  // namespace

ImagePages::ImagePages(std::string_view bytes, InputKind kind, bool fine)
    : data_(QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()))),
      buffer_(&data_),
      kind_(kind),
      fine_(fine) {}

std::string ImagePages::Unreadable() const {
    return std::string("the ") + InputKindName(kind_) + " image could not be read: " +
           reader_.errorString().toStdString();
}

std::string ImagePages::Open() {
    buffer_.open(QIODevice::ReadOnly);
    reader_.setDevice(&buffer_);
    reader_.setFormat(FormatOf(kind_));
    // A photograph taken sideways comes out the way it is meant to be seen.
    reader_.setAutoTransform(true);
    const QuietStandardError quiet;
    if (!reader_.canRead()) return Unreadable();
    count_ = std::max(1, reader_.imageCount());
    return {};
}

std::string ImagePages::Make(int index, gfx::MonoBitmap& page) {
    const QuietStandardError quiet;
    if (index > 0 && !reader_.jumpToNextImage()) return Unreadable();
    QImage image;
    if (!reader_.read(&image)) return Unreadable();
    QImage scaled;
    if (std::string failure = FitImagePage(GreyOnWhite(image), fine_, index + 1, scaled); !failure.empty())
        return failure;
    page = DitherToFax(scaled);
    return {};
}

}  // namespace vl::printfax
