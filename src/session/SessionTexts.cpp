#include "session/SessionTexts.h"

namespace vl::session {

namespace {

std::string FindModemButton(PreferencesPlace place)
{
    return place == PreferencesPlace::SendWindow ? "the Find Modem button on the Preferences screen"
                                                 : "the Find Modem button in Preferences";
}

std::string CheckPortQuestion(int comNumber, PreferencesPlace place)
{
    return "Is the Communications Port (" + ComName(comNumber) + ") correct? Please\nclick on " +
           FindModemButton(place) + " to be sure.";
}

}  // namespace

std::string ComName(int comNumber)
{
    return "COM" + std::to_string(comNumber);
}

std::string PortOpenFailureText(const std::string& message, int comNumber, PreferencesPlace place)
{
    return message + "\n\n" + CheckPortQuestion(comNumber, place);
}

std::string NoModemResponseText(int comNumber, PreferencesPlace place)
{
    const std::string com = ComName(comNumber);
    return "We did not receive a modem response from " + com +
           ".\n\nTo verify the communications port, please click on " + FindModemButton(place) +
           (place == PreferencesPlace::SendWindow ? "." : " to be sure.") + "\n\nIf you are sure there is a modem on " +
           com + ", press CONTINUE\nto continue, otherwise press OK to stop the fax session.";
}

std::string ResetStringFailureText(const std::string& resetString, int comNumber, PreferencesPlace place)
{
    return "We are unable to continue the fax session. \n\nThe modem did not respond to the reset string:   (" +
           resetString + ")\n\n" + CheckPortQuestion(comNumber, place);
}

}  // namespace vl::session
