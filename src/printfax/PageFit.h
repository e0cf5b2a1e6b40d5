// Bringing a page's grey image onto the fax line: rendered pages keep their
// size unless wider than the line, images are scaled to fill it.
#pragma once

#include <QImage>

#include <string>

namespace vl::printfax {

// A page rendered at 204 dots per inch across and the resolution's lines
// down (8-bit grey). Refused, with the reason returned, when it is larger
// than A3 either way round; else `placed` is the page, scaled down to the
// fax width when wider, proportions kept. `pageNumber` counts from 1.
std::string FitRenderedPage(const QImage& grey, bool fine, int pageNumber, QImage& placed);

// An image scaled to the fax width, its proportions kept at the chosen
// resolution; a pixel aspect the image states (different dots per inch
// across and down, as in a fax TIFF) is honoured. Refused when it would be
// longer than A3 on the fax width.
std::string FitImagePage(const QImage& grey, bool fine, int pageNumber, QImage& scaled);

// Any image as 8-bit grey, transparent parts white.
QImage GreyOnWhite(const QImage& image);

}  // namespace vl::printfax
