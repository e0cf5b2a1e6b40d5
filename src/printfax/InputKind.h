// What a print job holds, told from its first bytes: a print job's name
// says nothing reliable about its contents.
#pragma once

#include <string_view>

namespace vl::printfax {

enum class InputKind { Pdf, PostScript, Png, Jpeg, Tiff, Text, Binary };

// PDF ("%PDF-", also after a few bytes of junk as readers allow), PostScript
// ("%!", or the DOS EPS header), PNG, JPEG, TIFF (either byte order); any
// other bytes are text, unless a NUL byte among the first 4 KiB shows them
// to be binary data of some other kind.
InputKind DetectInputKind(std::string_view bytes);

// "PDF", "PostScript", "PNG", ... for messages.
const char* InputKindName(InputKind kind);

}  // namespace vl::printfax
