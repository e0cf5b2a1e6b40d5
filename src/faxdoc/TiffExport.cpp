#include "faxdoc/TiffExport.h"

#include <cstdint>

#include "base/ErrorCodes.h"
#include "faxdoc/LittleEndian.h"

namespace vl::faxdoc {

namespace {

enum FieldType : unsigned { kShort = 3, kLong = 4, kRational = 5 };

constexpr unsigned kEntries = 16;
constexpr std::size_t kDirectorySize = 2 + kEntries * 12 + 4;
// T4Options: fill bits before each EOL so that it ends on a byte boundary.
constexpr std::uint32_t kEolByteAligned = 4;

// A directory entry whose value fits its four bytes (a SHORT in the first two)
// or, for a rational, the offset of its two LONGs.
void Entry(std::string& s, unsigned tag, FieldType type, std::uint32_t count, std::uint32_t value) {
    Put16(s, tag);
    Put16(s, type);
    Put32(s, count);
    Put32(s, value);
}

}  // namespace

int EncodeFaxTiff(std::span<const G3Page> pages, std::string& file) {
    if (pages.empty() || pages.size() > 0xFFFF) return base::ecBadArgument;
    std::string s = "II";
    Put16(s, 42);
    std::size_t nextLink = s.size();  // where the offset of the next directory goes
    Put32(s, 0);
    for (std::size_t i = 0; i < pages.size(); ++i) {
        const G3Page& page = pages[i];
        const std::size_t strip = s.size();
        s += page.data;
        if (s.size() % 2 != 0) s.push_back('\0');  // directories start on a word boundary
        const std::size_t directory = s.size();
        const std::size_t resolutions = directory + kDirectorySize;
        if (resolutions + 16 > 0xFFFFFFFFu) return base::ecCantMakeBitmap;
        Set32(s, nextLink, static_cast<std::uint32_t>(directory));
        const auto width = static_cast<std::uint32_t>(page.width);
        const auto rows = static_cast<std::uint32_t>(page.rows);
        const auto at = static_cast<std::uint32_t>(resolutions);
        Put16(s, kEntries);
        Entry(s, 254, kLong, 1, 2);  // NewSubfileType: a page of a multi-page file
        Entry(s, 256, kLong, 1, width);
        Entry(s, 257, kLong, 1, rows);
        Entry(s, 258, kShort, 1, 1);  // BitsPerSample
        Entry(s, 259, kShort, 1, 3);  // Compression: T.4
        Entry(s, 262, kShort, 1, 0);  // PhotometricInterpretation: white is zero
        Entry(s, 266, kShort, 1, 1);  // FillOrder: first bit in bit 7
        Entry(s, 273, kLong, 1, static_cast<std::uint32_t>(strip));
        Entry(s, 277, kShort, 1, 1);  // SamplesPerPixel
        Entry(s, 278, kLong, 1, rows);
        Entry(s, 279, kLong, 1, static_cast<std::uint32_t>(page.data.size()));
        Entry(s, 282, kRational, 1, at);
        Entry(s, 283, kRational, 1, at + 8);
        Entry(s, 292, kLong, 1, kEolByteAligned);
        Entry(s, 296, kShort, 1, 2);  // ResolutionUnit: inch
        Entry(s, 297, kShort, 2, static_cast<std::uint32_t>(i) | static_cast<std::uint32_t>(pages.size()) << 16);
        nextLink = s.size();
        Put32(s, 0);
        Put32(s, kFaxDotsAcross);
        Put32(s, 1);
        Put32(s, static_cast<std::uint32_t>(page.LinesPerInch()));
        Put32(s, 1);
    }
    file = std::move(s);
    return base::ecOK;
}

}  // namespace vl::faxdoc
