#include <cstdio>

#include "cli/Commands.h"

namespace vl::cli {

namespace {

int Complain(std::string_view group, const std::string& message, int status) {
    std::fprintf(stderr, "vellora-cli %.*s: %s\n", static_cast<int>(group.size()), group.data(), message.c_str());
    return status;
}

}  // namespace

int BadInput(std::string_view group, const std::string& message) {
    return Complain(group, message, kExitBadInput);
}

int Failed(std::string_view group, const std::string& message) {
    return Complain(group, message, kExitFailed);
}

}  // namespace vl::cli
