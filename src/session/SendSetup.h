// The texts a send session derives from the settings: the configuration
// summary the send window shows, the dial wait and the page header line.
#pragma once

#include <string>
#include <vector>

#include "app/Settings.h"

namespace vl::session {

// One line per item: port (with the device `iniFile` maps it to), class,
// speed, dialling, the three modem strings, station ID, attempts and retry
// wait, then a line for each of blind dial, ignore busy and error correction
// that is on.
std::vector<std::string> SetupSummary(const app::Settings& settings, const std::string& iniFile);

// Seconds to wait for a call to connect: what the init string sets register
// S7 to when that is 75 or more ("S7=90" gives 90), else 75.
int DialWaitFromInit(const std::string& initString);

// "Sent by: NAME    ..." with the station ID tag when a fax number is set,
// the date and time, and "Page $P of $N". The tags are filled in by the
// engine on every page.
std::string BuildHeader(const std::string& name, const std::string& fax, const std::string& shortDate,
                        const std::string& shortTime);

}  // namespace vl::session
