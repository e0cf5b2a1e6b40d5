// Arbitrary bytes as a cover render file: reading never fails hard, and the
// records read write back to bytes that read as the same records.
#include <cstdint>
#include <span>
#include <vector>

#include "FuzzCheck.h"
#include "base/ErrorCodes.h"
#include "cover/RenderFile.h"

using vl::fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vl;
    cover::RenderFileContents contents = cover::ReadRenderFile(std::span<const std::uint8_t>(data, size));
    Check(contents.error == base::ecOK || contents.error == base::ecFaxBadFormat);
    cover::RenderFileContents again = cover::ReadRenderFile(cover::WriteRenderFile(contents.records));
    Check(again.error == base::ecOK);
    Check(again.records == contents.records);
    return 0;
}
