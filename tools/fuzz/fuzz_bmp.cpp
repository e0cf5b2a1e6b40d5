// Arbitrary bytes as a bitmap file through the BMP line source: errors are
// codes, never crashes.
#include "FuzzImageFile.h"
#include "faxdoc/ImageSourceFormats.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    vl::fuzz::ReadImageFile<vl::faxdoc::BmpSource>(data, size, "FUZZ.BMP");
    return 0;
}
