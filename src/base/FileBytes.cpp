#include "base/FileBytes.h"

#include <cstdio>

#include "base/ErrorCodes.h"
#include "base/IoErrors.h"

namespace vl::base {

int ReadFileBytes(const std::string& name, std::vector<std::uint8_t>& data, long maxSize, int tooLargeCode) {
    std::FILE* f = std::fopen(name.c_str(), "rb");
    if (f == nullptr) return LastIoError(IoOperation::Open);
    int rc = ecOK;
    long size = -1;
    if (std::fseek(f, 0, SEEK_END) != 0 || (size = std::ftell(f)) < 0 || std::fseek(f, 0, SEEK_SET) != 0) {
        rc = LastIoError(IoOperation::Seek);
    } else if (size > maxSize) {
        rc = tooLargeCode;
    } else {
        data.resize(static_cast<std::size_t>(size));
        if (std::fread(data.data(), 1, data.size(), f) != data.size()) rc = ecDeviceRead;
    }
    std::fclose(f);
    return rc;
}

}  // namespace vl::base
