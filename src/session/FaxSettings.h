// The settings a fax component takes before a session, shared by the send
// window, receive mode and the command line (which then applies its own
// options on top).
#pragma once

#include <string>

#include "app/Settings.h"
#include "fax/VlReceiveFax.h"
#include "fax/VlSendFax.h"

namespace vl::session {

// What both directions set, each from its sending or receiving keys.
struct ModemSettings {
    int faxClass = 0;  // as stored: 0 autodetect, 1..3 Class 1, 2, 2.0
    int maximumBps = 9600;
    bool ecm = false;
    int coding = app::kCodingUpToMmr;  // as stored (key Coding)
    std::string initString;
    std::string stationId;
};

ModemSettings SendingModem(const app::Settings& settings);
ModemSettings ReceivingModem(const app::Settings& settings);

// The component's class for a stored class: one more (0 autodetect becomes
// fcDetect); a value out of range detects.
fax::TFaxClass ComponentFaxClass(int stored);

// The best coding a component offers for a stored Coding: MH, MR or MMR.
faxdoc::PageCoding DesiredCoding(int stored);

// Class, speed, error correction, coding, station ID and the init string, which gets
// "AT" in front when it holds no "AT" (an empty one leaves the engine's own).
void ApplyModemSettings(const ModemSettings& modem, fax::VlAbstractFax& fax);

// The number to dial and the prefix and suffix with their "disable" boxes.
struct DialTarget {
    std::string number;
    std::string prefix;
    std::string suffix;
    bool disablePrefix = false;
    bool disableSuffix = false;
};

// The sending modem settings, then the number (with the suffix unless
// disabled), the prefix (empty when disabled), tone or pulse, blind dial,
// busy detection, attempts, retry wait and the dial wait from the init string.
void ApplySendSettings(const app::Settings& settings, const DialTarget& target, fax::VlSendFax& fax);

// The receiving modem settings, the rings to answer on and the naming mode
// (dates when GlobalUseAlternateNamingRec is on, else counters).
void ApplyReceiveSettings(const app::Settings& settings, fax::VlReceiveFax& fax);

}  // namespace vl::session
