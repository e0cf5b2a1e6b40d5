// The commands and report names that differ between Class 2 and Class 2.0
// modems. The machines use these entries, never literal strings, so one state
// serves both classes.
#pragma once

#include <string>

namespace vl::fax {

struct Class2Vocabulary {
    // Commands ("AT+F" and the class's suffix).
    std::string selectClass;          // AT+FCLASS=2 / AT+FCLASS=2.0
    std::string modelQuery;           // AT+FMDL? / AT+FMM?
    std::string makerQuery;           // AT+FMFR? / AT+FMI?
    std::string revisionQuery;        // AT+FREV? / AT+FMR?
    std::string localCapabilities;    // AT+FDIS / AT+FIS
    std::string localId;              // AT+FLID / AT+FLI
    std::string receiveCapabilities;  // AT+FDCC / AT+FCC
    // Reports ("+F" and the class's suffix).
    std::string connectReport;        // +FCON / +FCO
    std::string remoteCapabilities;   // +FDIS / +FIS
    std::string sessionParameters;    // +FDCS / +FCS
    std::string transmittingId;       // +FTSI / +FTI
    std::string calledId;             // +FCSI / +FCI
    std::string pageStatus;           // +FPTS / +FPS
    // The hang-up report's name, searched for without "+".
    std::string hangupReport;         // FHNG / FHS
};

// The table for kClass2 or kClass2_0; Class 2's for any other class, whose
// machines do not use it.
Class2Vocabulary VocabularyFor(int faxClass);

// Whether `line` is the report `report` ("+FDIS" matches "+FDIS:1,5,..." but
// not "+FDISX"): the name followed by ":" or the end of the line.
bool IsReport(const std::string& line, const std::string& report);

}  // namespace vl::fax
