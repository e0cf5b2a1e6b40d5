// The page table of a DCX file: a container of PCX pages.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace vl::faxdoc {

inline constexpr std::uint32_t kDcxMagic = 987654321;
inline constexpr std::size_t kDcxSlots = 1024;
inline constexpr std::size_t kDcxHeaderSize = 4 + 4 * kDcxSlots;

// Splits `file` into its PCX pages in table order, each running to the next
// higher page offset or the end of the file. Answers ecBadGraphicsFormat for a
// wrong number, no pages, or offsets inside the table or past the end.
int SplitDcxPages(std::span<const std::uint8_t> file, std::vector<std::span<const std::uint8_t>>& pages);

}  // namespace vl::faxdoc
