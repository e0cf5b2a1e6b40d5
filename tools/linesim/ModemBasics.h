// The settings every emulated modem shares (echo, result code form, S-registers)
// and the basic commands that change them.
#pragma once

#include <array>
#include <string>

#include "AtCommandLine.h"

namespace vl::linesim {

// Result codes with their numeric values.
enum class Result { Ok = 0, Connect = 1, Ring = 2, NoCarrier = 3, Error = 4, NoDialtone = 6, Busy = 7, NoAnswer = 8 };

// What ModemBasics::Apply did with a command.
enum class Handling {
    Done,     // applied; any answer text was appended
    Failed,   // one of ours but its value is out of range: the line ends in ERROR
    NotMine,  // left for the class emulator (A, D, H, +F...)
};

inline constexpr int kSRegisterCount = 100;

class ModemBasics {
public:
    // Answer texts for I0..I9; an empty entry makes that query fail.
    using Identity = std::array<std::string, 10>;

    explicit ModemBasics(Identity identity = {});

    bool Echo() const { return echo_; }
    bool Quiet() const { return quiet_; }
    bool Verbose() const { return verbose_; }
    int XLevel() const { return xLevel_; }
    int SRegister(int n) const;  // 0 outside 0..99

    // &F and Z: every setting back to its default.
    void Reset();

    // Result code framed per V and Q ("" when quiet).
    std::string ResultCode(Result r) const;
    // Information text framed per V (Q does not silence it).
    std::string InfoText(const std::string& text) const;

    // Applies E, Q, V, X, S=, S?, &F, Z and I; answers (S?, I) go to `reply`.
    Handling Apply(const AtCommand& cmd, std::string& reply);

private:
    Handling ApplyBasic(const AtCommand& cmd, std::string& reply);
    Handling ApplySRegister(const AtCommand& cmd, std::string& reply);

    Identity identity_;
    bool echo_ = true;
    bool quiet_ = false;
    bool verbose_ = true;
    int xLevel_ = 4;
    std::array<int, kSRegisterCount> s_{};
};

}  // namespace vl::linesim
