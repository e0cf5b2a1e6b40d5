// What vellora-cli send and receive share: reading their options, the fax
// class names, and the port and history log a fax component works with.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "fax/VlAbstractFax.h"

namespace vl::cli {

struct OptionScan {
    std::map<std::string, std::string> values;  // "--name VALUE", the last one given
    std::set<std::string> switches;             // "--name"
    std::vector<std::string> words;             // everything else, in order
};

// Options named in `valued` take the next word as their value, those in
// `switchNames` none; any other word beginning with "--" is a problem.
bool ScanOptions(const Args& args, const std::set<std::string>& valued, const std::set<std::string>& switchNames,
                 OptionScan& scan, std::string& problem);

// When `name` was given: its value as a number from `low` to `high` (false
// with a problem when it is not one); else `value` stays.
bool NumberOption(const OptionScan& scan, const std::string& name, int low, int high, int& value,
                  std::string& problem);

// "auto", "1", "2" or "2.0", when `name` was given.
bool FaxClassOption(const OptionScan& scan, const std::string& name, fax::TFaxClass& faxClass, std::string& problem);
// "mh", "mr" or "mmr", the best coding offered, when `name` was given.
bool CodingOption(const OptionScan& scan, const std::string& name, faxdoc::PageCoding& coding, std::string& problem);
// What --class, --bps, --ecm, --coding and --station-id say, over the settings the
// component took already.
bool ApplyModemOptions(const OptionScan& scan, fax::VlAbstractFax& fax, std::string& problem);

// The value of option `name` into `target` when it was given.
void TextOption(const OptionScan& scan, const std::string& name, std::string& target);

// Points `fax` at `port` named by `portName` and opens it; the history log
// goes to the data folder. Answers an exit status, kExitOk when open.
int OpenFaxPort(std::string_view group, const std::string& portName, serial::VlComPort& port, fax::VlAbstractFax& fax,
                fax::VlFaxLog& history);

}  // namespace vl::cli
