// Fills a data folder's phone book with made-up entries: names that look like
// people's and companies', in no particular order, each with a fax number.
#pragma once

#include <string>

namespace vl::tools {

// Appends `entries` entries to the phone book in programFolder (created
// when missing); its index follows.
void WriteSamplePhoneBook(const std::string& programFolder, int entries);

// The name WriteSamplePhoneBook gives entry i.
std::string SamplePhoneBookName(int i);

}  // namespace vl::tools
