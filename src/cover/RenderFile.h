// The render file: the page objects as a plain sequence of render records in
// the tagged encoding, with no header, count or terminator.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "cover/RenderRecord.h"

namespace vl::cover {

struct RenderFileContents {
    std::vector<RenderRecord> records;
    // 0, or negative when the file is damaged or unreadable; the records
    // before the damage are kept.
    int error = 0;
};

// ecFaxBadFormat for a damaged record.
RenderFileContents ReadRenderFile(std::span<const std::uint8_t> bytes);
// Also the negative I/O code of a file that cannot be read.
RenderFileContents LoadRenderFile(const std::string& path);
std::vector<std::uint8_t> WriteRenderFile(const std::vector<RenderRecord>& records);

}  // namespace vl::cover
