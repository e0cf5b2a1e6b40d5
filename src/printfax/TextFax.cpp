#include "printfax/TextFax.h"

#include <exception>

#include "base/AtomicFile.h"
#include "base/Cp1252.h"
#include "faxdoc/VlFaxConverter.h"

namespace vl::printfax {

namespace {

// The converter reads a line that is no UTF-8 as Latin-1, which lacks the
// quotes and dashes that Windows programs write; such lines become UTF-8
// from Windows-1252 first.
std::string Utf8Lines(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size());
    while (!bytes.empty()) {
        const std::size_t end = bytes.find('\n');
        const std::size_t length = end == std::string_view::npos ? bytes.size() : end + 1;
        text += base::Utf8OrCp1252(bytes.substr(0, length));
        bytes.remove_prefix(length);
    }
    return text;
}

}  // namespace

std::string ConvertTextJob(std::string_view bytes, const std::string& folder, bool fine, const std::string& apfFile) {
    try {
        const std::string textFile = folder + "job.txt";
        base::ReplaceFileAtomically(textFile, Utf8Lines(bytes));
        faxdoc::VlFaxConverter converter;
        converter.SetInputDocumentType(faxdoc::FaxInputDocumentType::idText);
        converter.SetResolution(fine ? faxdoc::FaxResolution::frHigh : faxdoc::FaxResolution::frNormal);
        // No window waits on this conversion.
        converter.SetOptions(static_cast<faxdoc::FaxCvtOptions>(converter.Options() & ~(faxdoc::coYield | faxdoc::coYieldOften)));
        converter.SetDocumentFile(textFile);
        converter.SetOutFileName(apfFile);
        converter.ConvertToFile();
    } catch (const std::exception& e) {  // the EVlException family, system errors, bad_alloc
        return std::string("the text could not be converted: ") + e.what();
    }
    return {};
}

}  // namespace vl::printfax
