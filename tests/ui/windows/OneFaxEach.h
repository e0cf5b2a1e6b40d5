// A data folder with one outgoing fax (body, cover and its cover data file in
// the send folder) and one received fax, for the main window's tests.
#pragma once

#include <string>

namespace vl::test {

void WriteOneFaxEach(const std::string& folder);

}  // namespace vl::test
