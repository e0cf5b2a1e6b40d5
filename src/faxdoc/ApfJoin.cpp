#include "faxdoc/ApfJoin.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "faxdoc/ApfFormat.h"

namespace vl::faxdoc {

namespace {

bool ReadWhole(const std::string& name, std::vector<char>& bytes) {
    std::ifstream in(name, std::ios::binary);
    if (!in) return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

bool IsFaxFile(const std::vector<char>& bytes) {
    return bytes.size() >= kApfHeaderSize && HasSignature(reinterpret_cast<const std::uint8_t*>(bytes.data()));
}

bool Write(const std::string& name, const std::vector<char>& bytes) {
    std::ofstream out(name, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return static_cast<bool>(out);
}

}  // namespace

bool JoinApfFiles(const std::string& target, const std::string& first, const std::string& second) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(first, error) || !std::filesystem::is_regular_file(second, error))
        return false;
    std::vector<char> joined;
    std::vector<char> body;
    if (!ReadWhole(first, joined) || !ReadWhole(second, body)) return false;
    // A file that is no fax stops the join where it is met.
    if (!IsFaxFile(joined)) {
        Write(target, {});
        return false;
    }
    if (!IsFaxFile(body)) {
        Write(target, joined);
        return false;
    }
    // Only the page count of the first header changes; its other bytes stay
    // as they are.
    const auto count = [](const std::vector<char>& bytes) {
        return static_cast<std::uint8_t>(bytes[kApfPageCountAt]) |
               static_cast<std::uint8_t>(bytes[kApfPageCountAt + 1]) << 8;
    };
    const int pages = count(joined) + count(body);
    if (pages > 0xFFFF) return false;
    joined[kApfPageCountAt] = static_cast<char>(pages & 0xFF);
    joined[kApfPageCountAt + 1] = static_cast<char>((pages >> 8) & 0xFF);
    joined.insert(joined.end(), body.begin() + kApfHeaderSize, body.end());
    return Write(target, joined);
}

}  // namespace vl::faxdoc
