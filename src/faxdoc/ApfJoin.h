// One fax file made of two: a cover's pages followed by a body's, for
// viewing and printing a fax as one document.
#pragma once

#include <string>

namespace vl::faxdoc {

// Writes `target` as `first` followed by the pages of `second`, the page
// count in its header the sum of both. False when either file is missing
// (nothing is written), when the first is no fax file, or when the second is
// none (the target then holds the first file only), when the two hold more
// pages than a fax file can count, or on an I/O failure.
bool JoinApfFiles(const std::string& target, const std::string& first, const std::string& second);

}  // namespace vl::faxdoc
