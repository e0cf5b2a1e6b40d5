// vellora-cli convert: a text, image, PDF or PostScript file into an APF fax
// file.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>

#include "base/TextCase.h"
#include "cli/ArgNumbers.h"
#include "cli/Commands.h"
#include "faxdoc/FaxConversion.h"
#include "faxdoc/VlFaxConverter.h"
#include "printfax/PageConversion.h"

namespace vl::cli {

namespace {

constexpr std::string_view kGroup = "convert";

const char kConvertUsage[] =
    "usage: vellora-cli convert INPUT [-o OUT.APF] [--fine] [--wide]\n"
    "         [--font small|standard|FAMILY:POINTS] [--lines-per-page N] [--tab N]\n"
    "         [--left-margin N] [--top-margin N] [--station-id ID]\n"
    "         [--no-double-width] [--no-center]\n"
    "       vellora-cli convert INPUT.pdf|.ps|.eps [-o OUT.APF] [--fine]\n";

struct ConvertArgs {
    std::string input;
    bool enhanced = false;  // text in a system font
    bool layout = false;    // an option that only text and images take
};

std::string Extension(const std::string& input) {
    return base::UpperAscii(std::filesystem::path(input).extension().string());
}

// The source follows the input's extension.
bool TypeOfInput(const std::string& input, faxdoc::FaxInputDocumentType& type) {
    using enum faxdoc::FaxInputDocumentType;
    const std::string ext = Extension(input);
    if (ext == ".TXT" || ext == ".TEXT") type = idText;
    else if (ext == ".TIF" || ext == ".TIFF") type = idTiff;
    else if (ext == ".PCX") type = idPcx;
    else if (ext == ".DCX") type = idDcx;
    else if (ext == ".BMP") type = idBmp;
    else return false;
    return true;
}

// Rendered page by page as the print tool renders them.
bool IsPrintedDocument(const std::string& input) {
    const std::string ext = Extension(input);
    return ext == ".PDF" || ext == ".PS" || ext == ".EPS";
}

// "small", "standard", or a family and a size in points, "FAMILY:POINTS".
bool ParseFont(const std::string& text, faxdoc::VlFaxConverter& converter, bool& enhanced) {
    enhanced = false;
    if (text == "small" || text == "standard") {
        converter.SetFontType(text == "small" ? faxdoc::FaxFontSize::Small : faxdoc::FaxFontSize::Standard);
        return true;
    }
    const std::size_t colon = text.rfind(':');
    int points = 0;
    if (colon == std::string::npos || colon == 0 || !ParseNumber(text.substr(colon + 1), 1, 500, points)) return false;
    gfx::FontSpec font = converter.EnhFont();
    font.family = text.substr(0, colon);
    font.points = points;
    converter.SetEnhFont(font);
    enhanced = true;
    return true;
}

int Parse(const Args& args, faxdoc::VlFaxConverter& c, ConvertArgs& parsed) {
    std::string& input = parsed.input;
    const auto number = [&](std::size_t& i, int low, int high, void (faxdoc::VlFaxConverter::*set)(int)) {
        int value = 0;
        if (!ParseNumber(args[++i], low, high, value)) {
            return BadInput(kGroup, "'" + args[i] + "' is not a number from " + std::to_string(low) + " to " +
                                        std::to_string(high) + " for " + args[i - 1]);
        }
        (c.*set)(value);
        return kExitOk;
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool hasValue = i + 1 < args.size();
        int rc = kExitOk;
        // Every long option but --fine lays out text or images.
        if (a.starts_with("--") && a != "--fine") parsed.layout = true;
        if (a == "-o" && hasValue) {
            c.SetOutFileName(args[++i]);
        } else if (a == "--fine") {
            c.SetResolution(faxdoc::FaxResolution::frHigh);
        } else if (a == "--wide") {
            c.SetWidth(faxdoc::FaxWidth::fwWide);
        } else if (a == "--font" && hasValue) {
            if (!ParseFont(args[++i], c, parsed.enhanced))
                return BadInput(kGroup, "font '" + args[i] + "' is not small, standard or FAMILY:POINTS");
        } else if (a == "--lines-per-page" && hasValue) {
            rc = number(i, 0, 10000, &faxdoc::VlFaxConverter::SetLinesPerPage);
        } else if (a == "--tab" && hasValue) {
            rc = number(i, 1, 255, &faxdoc::VlFaxConverter::SetTabStop);
        } else if (a == "--left-margin" && hasValue) {
            rc = number(i, 0, 1727, &faxdoc::VlFaxConverter::SetLeftMargin);
        } else if (a == "--top-margin" && hasValue) {
            rc = number(i, 0, 10000, &faxdoc::VlFaxConverter::SetTopMargin);
        } else if (a == "--station-id" && hasValue) {
            c.SetStationID(args[++i]);
        } else if (a == "--no-double-width") {
            c.SetOptions(c.Options() & ~faxdoc::coDoubleWidth);
        } else if (a == "--no-center") {
            c.SetOptions(c.Options() & ~faxdoc::coCenterImage);
        } else if (input.empty() && !a.empty() && a[0] != '-') {
            input = a;
        } else {
            return BadInput(kGroup, "unexpected '" + a + "'\n" + kConvertUsage);
        }
        if (rc != kExitOk) return rc;
    }
    if (input.empty()) return BadInput(kGroup, kConvertUsage);
    return kExitOk;
}

int ConvertPrintedDocument(const std::string& input, const faxdoc::VlFaxConverter& converter) {
    const std::string output = faxdoc::ApfOutputName(input, converter.OutFileName());
    if (std::string failure = printfax::ConvertDocumentFile(
            input, converter.Resolution() == faxdoc::FaxResolution::frHigh, output);
        !failure.empty())
        return Failed(kGroup, input + ": " + failure);
    std::printf("%s\n", output.c_str());
    return kExitOk;
}

}  // namespace

int RunConvertCommand(const Args& args) {
    faxdoc::VlFaxConverter converter;
    ConvertArgs parsed;
    if (int rc = Parse(args, converter, parsed); rc != kExitOk) return rc;
    const std::string& input = parsed.input;
    if (IsPrintedDocument(input)) {
        if (parsed.layout)
            return BadInput(kGroup, input + ": a PDF or PostScript file takes only -o and --fine\n" + kConvertUsage);
        return ConvertPrintedDocument(input, converter);
    }
    faxdoc::FaxInputDocumentType type{};
    if (!TypeOfInput(input, type)) {
        return BadInput(kGroup, input + ": not a .txt, .tif, .tiff, .pcx, .dcx, .bmp, .pdf, .ps or .eps file");
    }
    if (parsed.enhanced && type == faxdoc::FaxInputDocumentType::idText) type = faxdoc::FaxInputDocumentType::idTextEx;
    const std::string output = converter.OutFileName();
    converter.SetInputDocumentType(type);
    converter.SetDocumentFile(input);
    converter.SetOutFileName(faxdoc::ApfOutputName(input, output));
    try {
        converter.ConvertToFile();
    } catch (const std::exception& e) {  // the EVlException family, EInOutError, bad_alloc
        return Failed(kGroup, input + ": " + e.what());
    }
    std::printf("%s\n", converter.OutFileName().c_str());
    return kExitOk;
}

}  // namespace vl::cli
