// Fills a data folder's fax tables with made-up faxes, as a user's would look
// after some months: dated records with recipients, subjects, results and
// notes, some archived, and index tags complete.
#pragma once

#include <string>

namespace vl::tools {

// Appends `outgoing` and `incoming` records to the tables in programFolder
// (created when missing) and builds every index tag. Record i of each table
// is archived when i % archiveEvery == archiveEvery - 1 (0: none).
void WriteSampleFaxes(const std::string& programFolder, int outgoing, int incoming, int archiveEvery = 0);

}  // namespace vl::tools
