// Arbitrary bytes as a cover template's description file: the line read has
// no line end and starts the file, and writing it reads back the same.
#include <cstdint>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "ScratchFolder.h"
#include "base/ErrorCodes.h"
#include "cover/DescriptionFile.h"

using vl::fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vl;
    const std::string path = fuzz::ScratchFolder() + "template.des";
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(input.data(), static_cast<std::streamsize>(input.size()));
    std::optional<std::string> line;
    Check(cover::ReadDescription(path, line) == base::ecOK);
    Check(line && input.starts_with(*line) && line->find_first_of("\r\n") == std::string::npos);
    Check(cover::WriteDescription(path, *line) == base::ecOK);
    std::optional<std::string> again;
    Check(cover::ReadDescription(path, again) == base::ecOK && again == line);
    return 0;
}
