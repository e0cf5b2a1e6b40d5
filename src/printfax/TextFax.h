// A text job through the converter's own fax font.
#pragma once

#include <string>
#include <string_view>

namespace vl::printfax {

// Writes the text into `folder` + "job.txt", each line kept when it is
// UTF-8 and read as Windows-1252 when not, and converts it into `apfFile`
// at fine or normal resolution. Empty when done, else why not.
std::string ConvertTextJob(std::string_view bytes, const std::string& folder, bool fine, const std::string& apfFile);

}  // namespace vl::printfax
