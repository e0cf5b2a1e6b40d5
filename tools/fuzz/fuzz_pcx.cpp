// Arbitrary bytes as a PCX file and as a DCX file through their line sources:
// errors are codes, never crashes.
#include "FuzzImageFile.h"
#include "faxdoc/ImageSourceFormats.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    vl::fuzz::ReadImageFile<vl::faxdoc::PcxSource>(data, size, "FUZZ.PCX");
    vl::fuzz::ReadImageFile<vl::faxdoc::DcxSource>(data, size, "FUZZ.DCX");
    return 0;
}
