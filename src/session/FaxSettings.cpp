#include "session/FaxSettings.h"

#include "app/ModemCommands.h"
#include "session/SendSetup.h"

namespace vl::session {

namespace {

constexpr int kPulse = 1;  // ToneOrPulse

}  // namespace

ModemSettings SendingModem(const app::Settings& s)
{
    return {s.FaxClass, s.MaximumBPS, s.ECM, s.Coding, s.InitString, s.Fax};
}

ModemSettings ReceivingModem(const app::Settings& s)
{
    return {s.FaxClassReceive, s.MaximumBPSReceive, s.ECMReceive, s.Coding, s.InitStringReceive, s.Fax};
}

fax::TFaxClass ComponentFaxClass(int stored)
{
    return stored >= 0 && stored <= 3 ? static_cast<fax::TFaxClass>(stored + 1) : fax::fcDetect;
}

faxdoc::PageCoding DesiredCoding(int stored)
{
    switch (stored) {
    case app::kCodingMhOnly:
        return faxdoc::PageCoding::Mh;
    case app::kCodingUpToMr:
        return faxdoc::PageCoding::Mr;
    default:
        return faxdoc::PageCoding::Mmr;
    }
}

void ApplyModemSettings(const ModemSettings& modem, fax::VlAbstractFax& fax)
{
    fax.FaxClass = ComponentFaxClass(modem.faxClass);
    fax.DesiredBPS = modem.maximumBps;
    fax.DesiredECM = modem.ecm;
    fax.DesiredCoding = DesiredCoding(modem.coding);
    fax.StationID = modem.stationId;
    fax.ModemInit = modem.initString.empty() ? std::string() : app::WithAtPrefix(modem.initString);
}

void ApplySendSettings(const app::Settings& settings, const DialTarget& target, fax::VlSendFax& fax)
{
    ApplyModemSettings(SendingModem(settings), fax);
    fax.PhoneNumber = target.number + (target.disableSuffix ? "" : target.suffix);
    fax.DialPrefix = target.disablePrefix ? "" : target.prefix;
    fax.ToneDial = settings.ToneOrPulse != kPulse;
    fax.BlindDial = settings.BlindDial;
    fax.DetectBusy = !settings.IgnoreBusy;
    fax.DialAttempts = settings.DialAttempts;
    fax.DialRetryWait = settings.RetryWait;
    fax.DialWait = DialWaitFromInit(settings.InitString);
}

void ApplyReceiveSettings(const app::Settings& settings, fax::VlReceiveFax& fax)
{
    ApplyModemSettings(ReceivingModem(settings), fax);
    fax.AnswerOnRing = settings.AnswerOnRing;
    fax.NamingMode = settings.GlobalUseAlternateNamingRec ? 2 : 1;
}

}  // namespace vl::session
