#include "session/SessionTexts.h"

#include "serial/PortNames.h"
#include "serial/VlComPort.h"

namespace vl::session {

namespace {

std::string FindModemButton(PreferencesPlace place)
{
    return place == PreferencesPlace::SendWindow ? "the Find Modem button on the Preferences screen"
                                                 : "the Find Modem button in Preferences";
}

// Find Modem and the preferences are not there yet: the texts that send the
// user to them also say how the port is set meanwhile.
std::string HowToSetThePort(const serial::VlComPort& port)
{
    const std::string key(serial::ComKey(port.ComNumber()));
    if (key.empty())
        return {};
    const std::string file = port.IniFile().empty() ? std::string("VL.INI") : port.IniFile();
    return "\n\nFind Modem is not available in this version yet. To use another device for " + key +
           ", run\n    vellora-cli settings set Ports " + key + " DEVICE\n(DEVICE such as /dev/ttyUSB0), or set " + key +
           "=DEVICE in the [" + std::string(serial::kPortsSection) + "] section of " + file + ".";
}

std::string CheckPortQuestion(const serial::VlComPort& port, PreferencesPlace place)
{
    return "Is the Communications Port " + serial::PortLabel(port) + " correct? Please\nclick on " + FindModemButton(place) +
           " to be sure." + HowToSetThePort(port);
}

}  // namespace

std::string PortOpenFailureText(const std::string& message, const serial::VlComPort& port, PreferencesPlace place)
{
    return message + "\n\n" + CheckPortQuestion(port, place);
}

std::string NoModemResponseText(const serial::VlComPort& port, PreferencesPlace place)
{
    const std::string name = serial::PortLabel(port);
    return "We did not receive a modem response from " + name +
           ".\n\nTo verify the communications port, please click on " + FindModemButton(place) +
           (place == PreferencesPlace::SendWindow ? "." : " to be sure.") + HowToSetThePort(port) +
           "\n\nIf you are sure there is a modem on " + name +
           ", press CONTINUE\nto continue, otherwise press OK to stop the fax session.";
}

std::string ResetStringFailureText(const std::string& resetString, const serial::VlComPort& port,
                                   PreferencesPlace place)
{
    return "We are unable to continue the fax session. \n\nThe modem did not respond to the reset string:   (" +
           resetString + ")\n\n" + CheckPortQuestion(port, place);
}

}  // namespace vl::session
