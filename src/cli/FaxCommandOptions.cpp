#include "cli/FaxCommandOptions.h"

#include "app/ModemCommands.h"
#include "app/ProgramFolders.h"
#include "base/PlainText.h"
#include "cli/ArgNumbers.h"
#include "cli/PortOption.h"
#include "serial/VlComPort.h"

namespace vl::cli {

bool ScanOptions(const Args& args, const std::set<std::string>& valued, const std::set<std::string>& switchNames,
                 OptionScan& scan, std::string& problem)
{
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& word = args[i];
        if (valued.count(word)) {
            if (i + 1 == args.size()) {
                problem = word + " needs a value";
                return false;
            }
            scan.values[word] = args[++i];
        } else if (switchNames.count(word)) {
            scan.switches.insert(word);
        } else if (word.rfind("--", 0) == 0) {
            problem = "unknown option " + word;
            return false;
        } else {
            scan.words.push_back(word);
        }
    }
    return true;
}

bool NumberOption(const OptionScan& scan, const std::string& name, int low, int high, int& value,
                  std::string& problem)
{
    const auto found = scan.values.find(name);
    if (found == scan.values.end())
        return true;
    if (ParseNumber(found->second, low, high, value))
        return true;
    problem = "'" + found->second + "' is not a number from " + std::to_string(low) + " to " + std::to_string(high) +
              " for " + name;
    return false;
}

bool FaxClassOption(const OptionScan& scan, const std::string& name, fax::TFaxClass& faxClass, std::string& problem)
{
    const auto found = scan.values.find(name);
    if (found == scan.values.end())
        return true;
    const std::string& text = found->second;
    if (text == "auto")
        faxClass = fax::fcDetect;
    else if (text == "1")
        faxClass = fax::fcClass1;
    else if (text == "2")
        faxClass = fax::fcClass2;
    else if (text == "2.0")
        faxClass = fax::fcClass2_0;
    else {
        problem = "'" + text + "' is not a fax class (auto, 1, 2 or 2.0)";
        return false;
    }
    return true;
}

bool CodingOption(const OptionScan& scan, const std::string& name, faxdoc::PageCoding& coding, std::string& problem)
{
    const auto found = scan.values.find(name);
    if (found == scan.values.end())
        return true;
    const std::string& text = found->second;
    if (text == "mh")
        coding = faxdoc::PageCoding::Mh;
    else if (text == "mr")
        coding = faxdoc::PageCoding::Mr;
    else if (text == "mmr")
        coding = faxdoc::PageCoding::Mmr;
    else {
        problem = "'" + text + "' is not a coding (mh, mr or mmr)";
        return false;
    }
    return true;
}

bool ApplyModemOptions(const OptionScan& scan, fax::VlAbstractFax& fax, std::string& problem)
{
    if (scan.switches.count("--ecm"))
        fax.DesiredECM = true;
    TextOption(scan, "--station-id", fax.StationID);
    return FaxClassOption(scan, "--class", fax.FaxClass, problem) &&
           CodingOption(scan, "--coding", fax.DesiredCoding, problem) &&
           NumberOption(scan, "--bps", 2400, 33600, fax.DesiredBPS, problem);
}

void TextOption(const OptionScan& scan, const std::string& name, std::string& target)
{
    if (const auto found = scan.values.find(name); found != scan.values.end())
        target = found->second;
}

int OpenFaxPort(std::string_view group, const std::string& portName, serial::VlComPort& port, fax::VlAbstractFax& fax,
                fax::VlFaxLog& history)
{
    if (!ConfigurePort(port, portName))
        return BadInput(group, "not a port: " + portName);
    fax.SetComPort(&port);
    history.FaxHistoryName = app::ProgramFile(history.FaxHistoryName);
    fax.SetFaxLog(&history);
    app::ForceFolders(app::ProgramFolder());
    std::string message;
    if (!app::OpenPort(port, message))
        return Failed(group, base::LinuxLines(message));
    return kExitOk;
}

}  // namespace vl::cli
