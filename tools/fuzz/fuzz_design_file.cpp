// Arbitrary bytes as a cover design file: reading never fails hard, and what
// is written reads back. An empty caption is left out and so reads back as
// the class's own, so writing settles only from the second round on.
#include <cstdint>
#include <span>
#include <vector>

#include "FuzzCheck.h"
#include "base/ErrorCodes.h"
#include "cover/DesignFile.h"

using vl::fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vl;
    cover::CoverObjects objects;
    const int rc = cover::ReadDesignFile(std::span<const std::uint8_t>(data, size), objects);
    Check(rc == base::ecOK || rc == base::ecFaxBadFormat);
    cover::CoverObjects again;
    Check(cover::ReadDesignFile(cover::WriteDesignFile(objects), again) == base::ecOK);
    Check(again.size() == objects.size());
    const std::vector<std::uint8_t> written = cover::WriteDesignFile(again);
    cover::CoverObjects third;
    Check(cover::ReadDesignFile(written, third) == base::ecOK);
    Check(cover::WriteDesignFile(third) == written);
    return 0;
}
