// The command groups of vellora-cli; each takes the words after its own name.
#pragma once

#include <string>
#include <vector>

namespace vl::cli {

using Args = std::vector<std::string>;

// Exit statuses shared by every command.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;    // the operation ran and did not succeed
inline constexpr int kExitBadInput = 2;  // bad arguments or data; nothing was changed

int RunSettingsCommand(const Args& args);
int RunTableCommand(const Args& args);

}  // namespace vl::cli
