// Arbitrary bytes as a TIFF file through the TIFF line source: errors are
// codes, never crashes.
#include "FuzzImageFile.h"
#include "faxdoc/ImageSourceFormats.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    vl::fuzz::ReadImageFile<vl::faxdoc::TiffSource>(data, size, "FUZZ.TIF");
    return 0;
}
