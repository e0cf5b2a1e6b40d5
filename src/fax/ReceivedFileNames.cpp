#include "fax/ReceivedFileNames.h"

#include <cstdio>
#include <filesystem>

#include "base/FreeNumbers.h"

namespace vl::fax {

namespace {

std::string StemPrefix(ReceiveNaming naming, const std::tm& today) {
    if (naming == ReceiveNaming::Counter) return "FAX";
    char digits[16];
    std::snprintf(digits, sizeof digits, "%02d%02d", (today.tm_mon + 1) % 100, today.tm_mday % 100);
    return digits;
}

std::string NumberText(int number) {
    char digits[8];
    std::snprintf(digits, sizeof digits, "%04d", number);
    return digits;
}

}  // namespace

std::string ReceivedFileName(ReceiveNaming naming, const std::string& folder, const std::string& extension,
                             const std::tm& today, const std::function<bool(const std::string&)>& exists) {
    std::string dir = folder;
    if (!dir.empty() && dir.back() != '/') dir += '/';
    const std::string head = dir + StemPrefix(naming, today);
    auto nameOf = [&](int number) { return head + NumberText(number) + "." + extension; };
    auto number = base::FirstFreeNumber(1, kLastReceiveNumber, [&](int n) { return exists(nameOf(n)); });
    if (!number) return dir + "NONAME.APF";
    return nameOf(*number);
}

std::string ReceivedFileName(ReceiveNaming naming, const std::string& folder, const std::string& extension,
                             const std::tm& today) {
    return ReceivedFileName(naming, folder, extension, today, [](const std::string& name) {
        std::error_code ec;
        return std::filesystem::exists(std::filesystem::symlink_status(name, ec));
    });
}

}  // namespace vl::fax
