// Arbitrary bytes as a cover design file: reading never fails hard, and the
// objects read write back to bytes that read and write as the same bytes.
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "base/ErrorCodes.h"
#include "cover/DesignFile.h"

namespace {

void Check(bool ok) {
    if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vl;
    cover::CoverObjects objects;
    const int rc = cover::ReadDesignFile(std::span<const std::uint8_t>(data, size), objects);
    Check(rc == base::ecOK || rc == base::ecFaxBadFormat);
    const std::vector<std::uint8_t> written = cover::WriteDesignFile(objects);
    cover::CoverObjects again;
    Check(cover::ReadDesignFile(written, again) == base::ecOK);
    Check(again.size() == objects.size());
    Check(cover::WriteDesignFile(again) == written);
    return 0;
}
