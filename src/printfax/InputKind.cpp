#include "printfax/InputKind.h"

namespace vl::printfax {

namespace {

// Readers accept the PDF header within the first kilobyte.
constexpr std::size_t kPdfHeaderWindow = 1024;
constexpr std::size_t kBinaryCheckBytes = 4096;

bool StartsWith(std::string_view bytes, std::string_view prefix) { return bytes.substr(0, prefix.size()) == prefix; }

}  // namespace

InputKind DetectInputKind(std::string_view bytes) {
    using namespace std::string_view_literals;
    if (StartsWith(bytes, "%PDF-") || bytes.substr(0, kPdfHeaderWindow).find("%PDF-") != std::string_view::npos)
        return InputKind::Pdf;
    if (StartsWith(bytes, "%!") || StartsWith(bytes, "\xC5\xD0\xD3\xC6"sv)) return InputKind::PostScript;
    if (StartsWith(bytes, "\x89PNG\r\n\x1A\n"sv)) return InputKind::Png;
    if (StartsWith(bytes, "\xFF\xD8\xFF"sv)) return InputKind::Jpeg;
    if (StartsWith(bytes, "II*\0"sv) || StartsWith(bytes, "MM\0*"sv)) return InputKind::Tiff;
    if (bytes.substr(0, kBinaryCheckBytes).find('\0') != std::string_view::npos) return InputKind::Binary;
    return InputKind::Text;
}

const char* InputKindName(InputKind kind) {
    switch (kind) {
        case InputKind::Pdf: return "PDF";
        case InputKind::PostScript: return "PostScript";
        case InputKind::Png: return "PNG";
        case InputKind::Jpeg: return "JPEG";
        case InputKind::Tiff: return "TIFF";
        case InputKind::Text: return "text";
        case InputKind::Binary: return "binary data";
    }
    return "binary data";
}

}  // namespace vl::printfax
