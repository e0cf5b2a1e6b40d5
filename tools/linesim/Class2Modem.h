// An emulated Class 2 or Class 2.0 fax modem: the fax protocol runs inside the
// modem and the computer drives it with +F commands and page data.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "CallEvent.h"

namespace vl::linesim {

enum class Class2Dialect {
    Class2,   // the Class 2 draft: +FDIS, +FCON, DC2 to start received data, reversed bit order
    Class20,  // ITU-T T.32: +FIS, +FCO, XON to start received data, +FBO
};

// What a Class 2 modem needs from the world around it.
class Class2Surroundings {
public:
    virtual ~Class2Surroundings() = default;
    virtual void ToComputer(std::string_view bytes) = 0;  // goes out on the pty
    virtual void PlaceCall(const std::string& dialString) = 0;
    virtual void AnswerCall() = 0;
    virtual void HangUpCall() = 0;
};

class Class2Link;  // the fax channel between two emulated modems (Class2Link.h)

class Class2Modem {
public:
    // `link` joins this modem to the modem at the other end of the line;
    // `side` is 0 or 1, this modem's end of it.
    Class2Modem(Class2Dialect dialect, Class2Surroundings& around, Class2Link& link, int side);
    ~Class2Modem();
    Class2Modem(const Class2Modem&) = delete;
    Class2Modem& operator=(const Class2Modem&) = delete;

    // Bytes the computer wrote to the pty.
    void FromComputer(std::string_view bytes);
    // False while the modem holds the computer back (its page buffer is full);
    // the caller then stops reading the pty.
    bool ReadyForComputer() const;
    // Called every 20 ms with the time since start; runs timers and paces data.
    void Step(std::int64_t nowMs);
    void OnCall(CallEvent event);

    SideReport Report() const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace vl::linesim
