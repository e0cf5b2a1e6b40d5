// The lines that open a dispatch log report: who wrote it, with which
// compiler, on which operating system.
#pragma once

#include <string>

namespace vl::serial {

// The program version the report names.
inline constexpr const char* kLogVersion = "Vellora 2.9";

// Three lines, each ended by "\n": the banner, "Compiler : ..." and
// "Operating System : ...".
std::string LogBanner();

// The operating system line's text after "Operating System : ", from the
// kernel's name and release: "<name> <major>.<minor> (<release> <version>)",
// or "Unknown" when the release gives no version number.
std::string OperatingSystemText(const std::string& name, const std::string& release, const std::string& version);

}  // namespace vl::serial
