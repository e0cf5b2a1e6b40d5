#include "printfax/RenderedPages.h"

#include <QImage>
#include <QString>

#include "printfax/FaxDither.h"
#include "printfax/PageFit.h"

namespace vl::printfax {

std::string RenderedPages::Make(int index, gfx::MonoBitmap& page) const {
    const QImage rendered(QString::fromStdString(files_.at(static_cast<std::size_t>(index))), "PGM");
    if (rendered.isNull()) return "page " + std::to_string(index + 1) + " could not be read back after rendering";
    QImage placed;
    if (std::string failure = FitRenderedPage(rendered.convertToFormat(QImage::Format_Grayscale8), fine_, index + 1,
                                              placed);
        !failure.empty())
        return failure;
    page = DitherToFax(placed);
    return {};
}

}  // namespace vl::printfax
