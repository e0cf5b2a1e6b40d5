// A fax page coded again as T.4 one-dimensional data for the document formats
// (PDF, TIFF): each line starts with an EOL that ends on a byte boundary, and
// the first bit of the data is bit 7 of its first byte.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "faxdoc/ApfFormat.h"
#include "faxdoc/PageImage.h"
#include "faxdoc/UnpackOptions.h"

namespace vl::faxdoc {

// Pixels per inch across every fax page, and lines per inch down.
inline constexpr int kFaxDotsAcross = 204;
inline constexpr int kFineLinesPerInch = 196;
inline constexpr int kNormalLinesPerInch = 98;

struct G3Page {
    std::string data;
    int width = kNormalWidth;  // pixels a line: kNormalWidth or kWideWidth
    int rows = 0;
    bool fine = false;

    int LinesPerInch() const { return fine ? kFineLinesPerInch : kNormalLinesPerInch; }
};

// The page image as decoded from a page with that header, without aspect
// correction. A page wider than the normal width (or flagged wide) is coded
// wide. ecFaxBadFormat for an image of no lines.
int EncodeG3Page(const PageImage& image, const ApfPageHeader& header, G3Page& page);

using UnpackProgressHook = std::function<UnpackControl(const UnpackProgress&)>;

// Every page of an APF file, decoded by the unpacker and coded again. Answers
// 0, the reader's errors, ecFaxBadFormat for a file without pages or a page of
// which no line could be read, ecOutOfMemory, or what the hook asked for
// (ecUnpackAbort, ecGotQuitMsg); `pages` is filled only on success.
int ReadG3Pages(const std::string& apfName, const UnpackProgressHook& onProgress, std::vector<G3Page>& pages);

}  // namespace vl::faxdoc
