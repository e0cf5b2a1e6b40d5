// APF files built byte by byte for the fax file tests, so that pages can be
// raw or line records and lengths can be made to lie.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace vl::fax::test {

struct TestPage {
    std::uint16_t flags = 0;
    std::vector<std::uint8_t> data;  // stored as is after the page header
};

// A line-record page body: each record behind its 16-bit count word.
std::vector<std::uint8_t> LineRecords(const std::vector<std::vector<std::uint8_t>>& records);

// File header (page count = pages.size() unless given) and the pages.
std::string ApfBytes(const std::vector<TestPage>& pages, int pageCount = -1);

void WriteApf(const std::filesystem::path& file, const std::vector<TestPage>& pages);

}  // namespace vl::fax::test
