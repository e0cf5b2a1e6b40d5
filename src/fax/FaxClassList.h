// Reading the modem's answer to "AT+FCLASS=?" (the information line, such as
// "+FCLASS: 0,1,2,2.0" or "0,1,8") and what the engine makes of it.
#pragma once

#include <string_view>

namespace vl::fax {

struct FaxClassSupport {
    bool class1 = false;
    bool class2 = false;
    bool class2_0 = false;
};

// Capability bits the send and receive components cache.
inline constexpr int kCapClass1 = 4;
inline constexpr int kCapClass2 = 8;
inline constexpr int kCapClass2_0 = 16;

// The line is trimmed and everything up to and including its first ":" (or,
// without one, its first "=") is dropped; the rest is a comma-separated list.
// Each entry, blanks and parentheses removed, is compared whole: "1" and "1.0"
// are Class 1, "2" Class 2, "2.0" Class 2.0; others (data, voice, "2.1") are
// not fax classes this engine drives.
FaxClassSupport ParseFaxClassList(std::string_view infoLine);

// kClass2_0 when Class 2.0 is supported, else kClass2, else kClass1, else
// kClassUnknown (the prepare step then fails).
int ChosenFaxClass(const FaxClassSupport& support);
int CapabilityBits(const FaxClassSupport& support);

}  // namespace vl::fax
