// Commands the prepare steps send before the state machine runs, waiting for
// each reply in a loop of their own: modem initialisation, fax class
// detection and the local modem's Class 1 speeds.
#include "fax/FaxEngine.h"
#include "fax/ResponseChecks.h"
#include "fax/SyncReplyReader.h"

namespace vl::fax {

namespace {

constexpr base::Tick kAfterListLineTicks = 36;
constexpr int kPollMs = 5;

}  // namespace

bool FaxEngine::SyncCommand(std::string_view command)
{
    if (SendLine(command, kCommandPauseMs) != 0)
        return false;
    const bool held = port_.SetDispatching(true);
    SyncReplyReader reader{std::string(command)};
    auto result = SyncReplyReader::Result::NeedMore;
    while (result == SyncReplyReader::Result::NeedMore && !ResponseTimerExpired()) {
        const int byte = port_.ReadByte();
        if (byte < 0)
            PauseMs(kPollMs);
        else
            result = reader.Feed(static_cast<std::uint8_t>(byte));
    }
    syncInfo_ = reader.Info();
    while (port_.ReadByte() >= 0) {
    }
    port_.SetDispatching(held);
    return result == SyncReplyReader::Result::Success;
}

bool FaxEngine::InitModem()
{
    if (modem_.initialised)
        return true;
    if (!modem_.modemInit.empty() && !SyncCommand(modem_.modemInit))
        return false;
    if (!SyncCommand(modem_.defaultInit))
        return false;
    modem_.initialised = true;
    return true;
}

FaxClassSupport FaxEngine::QueryModemClasses()
{
    if (!SyncCommand("AT+FCLASS=?"))
        return {};
    return ParseFaxClassList(syncInfo_);
}

bool FaxEngine::DetectFaxClass()
{
    if (session_.faxClass == kClassUnknown)
        session_.faxClass = kClassDetect;
    // A reset first, tried twice: a modem left in an odd state by a previous
    // program may swallow the first command.
    const bool reset = SyncCommand(modem_.defaultInit) || SyncCommand(modem_.defaultInit);
    session_.faxClass = reset ? ChosenFaxClass(QueryModemClasses()) : kClassUnknown;
    return session_.faxClass != kClassUnknown;
}

bool FaxEngine::DetermineLocalSpeeds()
{
    if (!SyncCommand("AT+FCLASS=1"))
        return false;
    const bool held = port_.SetDispatching(true);
    const bool sender = kind_ == EngineKind::Sender;
    bool ok = SendCommand(sender ? "AT+FTM=?" : "AT+FRM=?") == 0;
    bool haveList = false;
    while (ok) {
        const auto kind = Collect();
        if (kind == ResponseKind::None) {
            if (ResponseTimerExpired())
                break;
            PauseMs(kPollMs);
            continue;
        }
        if (kind != ResponseKind::Line)
            continue;
        const std::string& line = Response();
        if (HasOk(line) || HasError(line))
            break;
        if (IsModulationList(line)) {
            modem_.localSpeeds = SpeedsFromModulationList(line);
            haveList = true;
        }
        StartResponseTimer(kAfterListLineTicks);
    }
    port_.SetDispatching(held);
    if (!haveList)
        modem_.localSpeeds = SpeedSet{};
    modem_.speedIndex = sender ? modem_.localSpeeds.Highest() : modem_.localSpeeds.HighestAtMost(modem_.desiredBps);
    return ok;
}

}  // namespace vl::fax
