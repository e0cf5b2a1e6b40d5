// Splits one AT command line, as typed to an emulated modem, into its commands.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vl::linesim {

enum class AtKind {
    Basic,      // a letter with an optional number: E0, H, I3
    Ampersand,  // '&' and a letter with an optional number: &F, &D2
    SSet,       // S<register>=<value>
    SRead,      // S<register>?
    Dial,       // D and its dial string
    ExtAction,  // +NAME
    ExtSet,     // +NAME=value[,value...]
    ExtRead,    // +NAME?
    ExtTest,    // +NAME=?
};

struct AtCommand {
    AtKind kind = AtKind::Basic;
    char letter = 0;       // Basic, Ampersand: the letter in upper case
    int number = 0;        // Basic, Ampersand: the number (0 when absent); S: the register
    bool hasNumber = false;
    int value = 0;         // SSet
    std::string name;      // extended commands: '+' and the name in upper case
    std::vector<std::string> values;  // ExtSet: unquoted values upper case, quoted ones verbatim
    std::string dial;      // Dial: the dial string in upper case, spaces dropped
    bool dialStaysInCommandMode = false;  // Dial: ended by ';'

    bool operator==(const AtCommand&) const = default;
};

inline constexpr std::size_t kMaxAtLineLength = 255;
inline constexpr int kMaxAtNumber = 255;
inline constexpr std::size_t kMaxExtendedValues = 16;

// Parses a whole line beginning with "AT" (any case). On bad syntax returns
// false and leaves `out` empty; the modem then answers ERROR and runs nothing.
bool ParseCommandLine(std::string_view line, std::vector<AtCommand>& out);

}  // namespace vl::linesim
