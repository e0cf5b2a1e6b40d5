// Arbitrary bytes as an APF file through the unpacker (every option path) and
// the page exporters: errors are codes, never crashes.
#include <cstdint>
#include <fstream>
#include <string>

#include "ScratchFolder.h"
#include "faxdoc/PageExport.h"
#include "faxdoc/Unpacker.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vl::faxdoc;
    const std::string path = vl::fuzz::ScratchFolder() + "FUZZ.APF";
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    const std::uint8_t knobs = size > 0 ? data[size - 1] : 0;
    UnpackOptions options;
    options.aspect = static_cast<AspectMode>(knobs % 3);
    if (knobs & 0x08) {
        options.whitespaceFrom = 3;
        options.whitespaceTo = 1;
    }
    if (knobs & 0x10) {
        options.horizMult = 1;
        options.horizDiv = 3;
        options.vertMult = 2;
        options.vertDiv = 1;
    }
    for (unsigned page = 1; page <= 3; ++page) {
        PageImage image;
        if (UnpackApfPage(path, page, options, image) != 0) break;
        std::string file;
        for (ExportFormat f : {ExportFormat::Pcx, ExportFormat::Dcx, ExportFormat::Bmp, ExportFormat::Pbm}) {
            (void)EncodePage(image, f, file);
        }
    }
    return 0;
}
