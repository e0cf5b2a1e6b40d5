// The command groups of vellora-cli; each takes the words after its own name.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vl::cli {

using Args = std::vector<std::string>;

// Exit statuses shared by every command.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;    // the operation ran and did not succeed
inline constexpr int kExitBadInput = 2;  // bad arguments or data; nothing was changed

// Print "vellora-cli GROUP: MESSAGE" on standard error and return the status
// that goes with it.
int BadInput(std::string_view group, const std::string& message);
int Failed(std::string_view group, const std::string& message);

int RunSettingsCommand(const Args& args);
int RunTableCommand(const Args& args);
int RunInfoCommand(const Args& args);
int RunExportCommand(const Args& args);
int RunConvertCommand(const Args& args);
int RunPortsCommand(const Args& args);
int RunModemCommand(const Args& args);
int RunSendCommand(const Args& args);
int RunReceiveCommand(const Args& args);
int RunReportCommand(const Args& args);
int RunCoverCommand(const Args& args);
int RunPrintCommand(const Args& args);
int RunPrinterCommand(const Args& args);
int RunPhoneBookCommand(const Args& args);

}  // namespace vl::cli
