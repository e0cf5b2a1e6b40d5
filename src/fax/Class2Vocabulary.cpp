#include "fax/Class2Vocabulary.h"

#include "fax/FaxCodes.h"

namespace vl::fax {

Class2Vocabulary VocabularyFor(int faxClass)
{
    const bool two0 = faxClass == kClass2_0;
    auto command = [](const char* suffix) { return std::string("AT+F") + suffix; };
    auto report = [](const char* suffix) { return std::string("+F") + suffix; };
    Class2Vocabulary v;
    v.selectClass = command(two0 ? "CLASS=2.0" : "CLASS=2");
    // Class 2.0 asks for the manufacturer with +FMI and the model with +FMM.
    v.modelQuery = command(two0 ? "MM?" : "MDL?");
    v.makerQuery = command(two0 ? "MI?" : "MFR?");
    v.revisionQuery = command(two0 ? "MR?" : "REV?");
    v.localCapabilities = command(two0 ? "IS" : "DIS");
    v.localId = command(two0 ? "LI" : "LID");
    v.receiveCapabilities = command(two0 ? "CC" : "DCC");
    v.connectReport = report(two0 ? "CO" : "CON");
    v.remoteCapabilities = report(two0 ? "IS" : "DIS");
    v.sessionParameters = report(two0 ? "CS" : "DCS");
    v.transmittingId = report(two0 ? "TI" : "TSI");
    v.calledId = report(two0 ? "CI" : "CSI");
    v.pageStatus = report(two0 ? "PS" : "PTS");
    v.hangupReport = two0 ? "FHS" : "FHNG";
    return v;
}

bool IsReport(const std::string& line, const std::string& report)
{
    const auto at = line.find(report);
    if (at == std::string::npos)
        return false;
    const auto after = at + report.size();
    return after == line.size() || line[after] == ':';
}

}  // namespace vl::fax
