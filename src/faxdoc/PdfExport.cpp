#include "faxdoc/PdfExport.h"

#include <cstdio>
#include <vector>

#include "base/ErrorCodes.h"

namespace vl::faxdoc {

namespace {

// A length in points, to four decimals and always a hair under the exact
// length: a renderer at the fax's own resolution that takes the image's far
// edge as the pixel after it (the usual way to cover a partial pixel) then
// still gives the page's own pixel count, where an exact edge would make it
// one more and stretch the image.
std::string Points(int pixels, int perInch) {
    const long long tenThousandths = (static_cast<long long>(pixels) * 72 * 10000 - 1) / perInch;
    char text[48];
    std::snprintf(text, sizeof text, "%lld.%04lld", tenThousandths / 10000, tenThousandths % 10000);
    return text;
}

class PdfBuilder {
public:
    explicit PdfBuilder(std::size_t objects) : offsets_(objects + 1) { out_ = "%PDF-1.4\n%\xE2\xE3\xCF\xD3\n"; }

    void Object(std::size_t number, const std::string& dictionary) {
        offsets_[number] = out_.size();
        out_ += std::to_string(number) + " 0 obj\n" + dictionary + "\nendobj\n";
    }

    // A stream object: `entries` are its dictionary's entries besides /Length.
    void Stream(std::size_t number, const std::string& entries, const std::string& data) {
        offsets_[number] = out_.size();
        out_ += std::to_string(number) + " 0 obj\n<< " + entries + " /Length " + std::to_string(data.size()) +
                " >>\nstream\n" + data + "\nendstream\nendobj\n";
    }

    // The cross-reference table (entries of exactly 20 bytes) and the trailer.
    std::string Finish() {
        const std::size_t xref = out_.size();
        out_ += "xref\n0 " + std::to_string(offsets_.size()) + "\n0000000000 65535 f \n";
        for (std::size_t i = 1; i < offsets_.size(); ++i) {
            char entry[32];
            std::snprintf(entry, sizeof entry, "%010zu 00000 n \n", offsets_[i]);
            out_ += entry;
        }
        out_ += "trailer\n<< /Size " + std::to_string(offsets_.size()) + " /Root 1 0 R >>\nstartxref\n" +
                std::to_string(xref) + "\n%%EOF\n";
        return std::move(out_);
    }

private:
    std::string out_;
    std::vector<std::size_t> offsets_;  // by object number; 0 is the free entry
};

std::string Ref(std::size_t number) { return std::to_string(number) + " 0 R"; }

}  // namespace

int EncodeFaxPdf(std::span<const G3Page> pages, std::string& file) {
    if (pages.empty()) return base::ecBadArgument;
    // Object 1 is the catalog and 2 the page tree; each page then has its
    // page object, its drawing and its image, in that order.
    auto pageObject = [](std::size_t index) { return 3 + 3 * index; };
    PdfBuilder pdf(2 + 3 * pages.size());
    pdf.Object(1, "<< /Type /Catalog /Pages 2 0 R >>");
    std::string kids;
    for (std::size_t i = 0; i < pages.size(); ++i) kids += (i == 0 ? "" : " ") + Ref(pageObject(i));
    pdf.Object(2, "<< /Type /Pages /Count " + std::to_string(pages.size()) + " /Kids [" + kids + "] >>");
    for (std::size_t i = 0; i < pages.size(); ++i) {
        const G3Page& page = pages[i];
        const std::size_t at = pageObject(i);
        const std::string width = Points(page.width, kFaxDotsAcross);
        const std::string height = Points(page.rows, page.LinesPerInch());
        pdf.Object(at, "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 " + width + " " + height +
                           "] /Resources << /XObject << /Fax " + Ref(at + 2) + " >> >> /Contents " + Ref(at + 1) +
                           " >>");
        const std::string draw = "q " + width + " 0 0 " + height + " 0 0 cm /Fax Do Q";
        pdf.Stream(at + 1, "", draw);
        const std::string columns = std::to_string(page.width), rows = std::to_string(page.rows);
        // Black is the zero of the decoded data, which is what DeviceGray
        // shows as black; every line's EOL is there, and no end of block.
        pdf.Stream(at + 2,
                   "/Type /XObject /Subtype /Image /Width " + columns + " /Height " + rows +
                       " /ColorSpace /DeviceGray /BitsPerComponent 1 /Filter /CCITTFaxDecode /DecodeParms << /K 0"
                       " /Columns " + columns + " /Rows " + rows + " /EndOfLine true /EndOfBlock false >>",
                   page.data);
    }
    file = pdf.Finish();
    return base::ecOK;
}

}  // namespace vl::faxdoc
