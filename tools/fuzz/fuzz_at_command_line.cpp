// Arbitrary bytes as an AT command line, parsed and run through the shared
// modem settings. Bad lines must be refused, never crash, and a refused line
// must leave no commands behind.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "AtCommandLine.h"
#include "ModemBasics.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vl::linesim;
    const std::string_view line(reinterpret_cast<const char*>(data), size);
    std::vector<AtCommand> cmds;
    if (!ParseCommandLine(line, cmds)) {
        if (!cmds.empty()) __builtin_trap();
        return 0;
    }
    if (line.size() > kMaxAtLineLength) __builtin_trap();
    ModemBasics::Identity identity;
    identity[0] = "FUZZ";
    ModemBasics modem(identity);
    std::string reply;
    for (const auto& cmd : cmds) {
        if (cmd.values.size() > kMaxExtendedValues || cmd.number > kMaxAtNumber || cmd.value > kMaxAtNumber) {
            __builtin_trap();
        }
        if (modem.Apply(cmd, reply) == Handling::Failed) reply += modem.ResultCode(Result::Error);
    }
    reply += modem.ResultCode(Result::Ok);
    for (int r = 0; r < kSRegisterCount; ++r) {
        if (modem.SRegister(r) < 0 || modem.SRegister(r) > kMaxAtNumber) __builtin_trap();
    }
    return 0;
}
