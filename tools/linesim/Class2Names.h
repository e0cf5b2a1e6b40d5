// The command and report names that differ between the Class 2 draft and
// ITU-T T.32 (Class 2.0); the protocol behind them is the same.
#pragma once

#include <array>
#include <string>

#include "Class2Modem.h"

namespace vl::linesim {

struct Class2Names {
    const char* fclass;       // "2" or "2.0"
    const char* dis;          // session parameters
    const char* dcc;          // modem capabilities
    const char* lid;          // local ID
    const char* con;          // fax connection report
    const char* dcs;          // negotiated parameters report
    const char* csi;          // called station ID report
    const char* tsi;          // transmitting station ID report
    const char* pts;          // page transfer status
    const char* hng;          // hang-up report
    const char* bo;           // bit order
    const char* kill;         // session termination
    const char* timeout;      // phase C timeout
    std::array<const char*, 3> idQueries;  // manufacturer, model, revision
    bool hexHangup;           // T.32 writes hang-up codes in hex

    static const Class2Names& For(Class2Dialect dialect);
    // "+FHNG:11" or "+FHS:11"; receive phase D codes 100.. are A0.. in hex.
    std::string Hangup(int code) const;
};

}  // namespace vl::linesim
