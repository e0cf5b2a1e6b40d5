// Arbitrary bytes as a text file, through the line reader and through the
// built-in font text source to the end of the last page: errors are codes,
// never crashes or endless pages.
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "ScratchFolder.h"
#include "faxdoc/FontTextSource.h"
#include "faxdoc/TextLineReader.h"

namespace {

// The first input byte picks the layout.
vl::faxdoc::TextPageLayout FuzzLayout(const uint8_t* data, size_t size) {
    const std::uint8_t knobs = size > 0 ? data[0] : 0;
    vl::faxdoc::TextPageLayout layout;
    layout.width = (knobs & 1) ? 2048 : 1728;
    layout.leftMargin = (knobs & 2) ? 0 : 50;
    layout.highResolution = knobs & 4;
    layout.tabStop = (knobs >> 3) & 7;     // 0 .. 7, 0 included on purpose
    layout.linesPerPage = (knobs >> 6) * 2;  // 0 = no limit, 2, 4, 6
    return layout;
}

void ReadLines(const std::string& path, size_t size) {
    vl::faxdoc::TextLineReader reader;
    if (reader.Open(path) != 0) return;
    std::string line;
    bool got = true;
    size_t lines = 0;
    while (reader.ReadLine(line, got) == 0 && got) {
        if (++lines > size) std::abort();  // every line takes at least one byte
    }
}

void ReadPages(const std::string& path, const uint8_t* data, size_t size) {
    const auto layout = FuzzLayout(data, size);
    vl::faxdoc::FontTextSource source(layout, (data[size - 1] & 1) ? vl::faxdoc::FaxFontSize::Small
                                                                   : vl::faxdoc::FaxFontSize::Standard);
    if (source.Open(path) != 0) return;
    std::vector<std::uint8_t> line;
    bool end = false, more = true;
    // At most one text line and one page end per input byte, plus the white line of an empty file.
    const size_t limit = (size + 2) * (static_cast<size_t>(source.RowsPerTextLine()) + 1);
    size_t calls = 0;
    while (source.ReadLine(line, end, more) == 0 && (!end || more)) {
        if (++calls > limit) std::abort();
    }
    if (source.BytesRead() != size) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = vl::fuzz::ScratchFolder() + "FUZZ.TXT";
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    ReadLines(path, size);
    if (size > 0) ReadPages(path, data, size);
    return 0;
}
