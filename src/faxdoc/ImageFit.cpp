#include "faxdoc/ImageFit.h"

#include <algorithm>

namespace vl::faxdoc {

ImagePlacement FitImage(const FitRequest& request, int imageWidth, FitRule rule) {
    const int w = imageWidth;
    const int width = request.pageWidth;
    const int margin = request.leftMargin;
    ImagePlacement p;
    const int room = rule == FitRule::File ? width - margin : width - 2 * margin;
    p.doubleWidth = request.doubleWidth && request.normalResolution && room >= 2 * w;
    p.halfHeight = request.halfHeight && request.normalResolution && !p.doubleWidth;
    if (!request.centerImage) return p;
    int offset = 0;
    if (rule == FitRule::File) {
        if (width - w > 15) offset = p.doubleWidth ? (width - 2 * w) / 32 : (width - w) / 16;
    } else {
        offset = p.doubleWidth ? (width - 2 * (w + margin)) / 32 : (width - w - margin) / 16;
    }
    p.offsetBytes = std::max(offset, 0);
    return p;
}

}  // namespace vl::faxdoc
