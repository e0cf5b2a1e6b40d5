#include "app/FaxClassCheck.h"

#include <exception>
#include <utility>

#include "app/ComLabel.h"
#include "app/ModemCommands.h"
#include "app/SettingChoices.h"
#include "fax/FaxClassList.h"
#include "fax/VlAbstractFax.h"
#include "serial/PortNames.h"
#include "serial/VlComPort.h"

namespace vl::app {

namespace {

constexpr int kClassBits[3] = {fax::kCapClass1, fax::kCapClass2, fax::kCapClass2_0};
// The line prefixes, padded so that the colons stand in one column.
constexpr const char* kClassPrefixes[3] = {"Class 1   : ", "Class 2   : ", "Class 2.0 : "};

const std::string kCr = "\r";

}  // namespace

FaxClassCheck::FaxClassCheck(serial::VlComPort& port, fax::VlAbstractFax& sendFax, int comNumber,
                             std::string resetString)
    : port_(port), sendFax_(sendFax), comNumber_(comNumber), resetString_(std::move(resetString))
{
}

int FaxClassCheck::Run()
{
    recommended_ = -1;
    lines_ = {};
    try {
        recommended_ = Steps();
    } catch (const std::exception& e) {
        SetStatus(e.what());
        SetUnknown();
    } catch (...) {
        SetStatus("Unknown Error");
        SetUnknown();
    }
    try {
        port_.SetOpen(false);
    } catch (...) {
        // The port is as closed as it gets.
    }
    return recommended_;
}

std::string FaxClassCheck::RecommendedName() const
{
    return recommended_ < 0 ? std::string() : std::string(FaxClassName(recommended_ + 1));
}

int FaxClassCheck::Steps()
{
    SetStatus("Opening Com Port...please wait");
    port_.SetComNumber(comNumber_);
    std::string message;
    if (!OpenPort(port_, message)) {
        SetStatus(message);
        SetUnknown();
        return -1;
    }
    const std::string label = serial::PortLabel(port_);
    if (!CheckModem(port_, resetString_)) {
        const std::string question =
            "The device on " + label + " is not responding and may" + kCr +
            "not be a modem. Continue with Fax Class Analysis?";
        if (!AskContinue || !AskContinue("NO MODEM RESPONSE", question)) {
            SetStatus(NoResponseText());
            SetUnknown();
            return -1;
        }
    }
    if (!ResetModem(port_)) {
        if (ShowMessage)
            ShowMessage("We are unable to continue the test. \r\rThe modem did not respond to the reset string:   "
                        "(AT&F)\r\rIs the Communications Port (" +
                        label + ") correct? Please" + kCr +
                        "click the Find Modem Port button on the Preferences screen to be sure.");
        SetStatus(NoResponseText());
        SetUnknown();
        return -1;
    }
    SetStatus("Querying modem Fax Class support...");
    const int classBits = QueryClasses();
    const std::string com = ComLabel(comNumber_, port_.PortDevice());
    if (classBits == 0) {
        SetStatus("Unable to determine Fax Class support from modem on " + com);
        SetUnknown();
        return -1;
    }
    ShowSupport(classBits);
    // Class 1 leaves the most to the program, so it is the first choice; the
    // set holds at least one of the three classes here.
    int index = 0;
    while ((classBits & kClassBits[index]) == 0)
        ++index;
    if (index == 2)
        lines_[2].bold = true;
    else
        lines_[static_cast<std::size_t>(index)].text += " (recommended)";
    recommended_ = index;
    SetStatus("Try using the recommended Fax Class (" + RecommendedName() + "). " + kCr + kCr +
              "If you experience problems, try other supported classes or auto detect.");
    return index;
}

int FaxClassCheck::QueryClasses()
{
    try {
        return sendFax_.ModemClasses() & (fax::kCapClass1 | fax::kCapClass2 | fax::kCapClass2_0);
    } catch (...) {
        return 0;
    }
}

void FaxClassCheck::ShowSupport(int classBits)
{
    for (std::size_t i = 0; i < lines_.size(); ++i)
        lines_[i] = {std::string(kClassPrefixes[i]) + ((classBits & kClassBits[i]) ? "Supported" : "Not Supported"),
                     false};
    Changed();
}

void FaxClassCheck::SetStatus(const std::string& status)
{
    status_ = status;
    Changed();
}

void FaxClassCheck::SetUnknown()
{
    for (std::size_t i = 0; i < lines_.size(); ++i)
        lines_[i] = {std::string(kClassPrefixes[i]) + "unknown", false};
    Changed();
}

void FaxClassCheck::Changed()
{
    if (OnChange)
        OnChange();
}

std::string FaxClassCheck::NoResponseText() const
{
    return "No response from device on " + serial::PortLabel(port_) + ". May not be a modem.";
}

}  // namespace vl::app
