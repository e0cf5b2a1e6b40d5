#include "fax/FaxEngine.h"

#include <algorithm>
#include <chrono>
#include <thread>

#include "fax/HeaderLine.h"
#include "fax/ModemInitStrings.h"

namespace vl::fax {

namespace {

constexpr auto kReleaseWait = std::chrono::seconds(5);

std::string Cut(std::string_view text, std::size_t most)
{
    return std::string(text.substr(0, std::min(text.size(), most)));
}

}  // namespace

FaxEngine::FaxEngine(EngineKind kind, std::string_view stationId, serial::VlBaseDispatcher& port,
                     base::MessageWindow* window)
    : kind_(kind), port_(port), window_(window)
{
    session_.sending = kind == EngineKind::Sender;
    SetStationId(stationId);
}

FaxEngine::~FaxEngine()
{
    if (registered_.exchange(false))
        port_.RemoveMethodHandler(&FaxEngine::OnPortEvent, this);
    // A pass may be running, or an event may be on its way to this context:
    // wait until the dispatcher has let go of it (bounded, as a dispatcher
    // that waits for this thread's message loop gives up after a while).
    const auto giveUp = std::chrono::steady_clock::now() + kReleaseWait;
    while ((inFlight_.load() > 0 || port_.Dispatching()) && std::chrono::steady_clock::now() < giveUp)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    std::lock_guard pass(passLock_);
    RemoveTriggers();
    if (port_.EngineAt(kFaxEngineSlot) == this)
        port_.AttachEngine(kFaxEngineSlot, nullptr);
}

void FaxEngine::AttachMachine(std::unique_ptr<FaxMachine> machine)
{
    machine_ = std::move(machine);
}

void FaxEngine::SetStationId(std::string_view id)
{
    session_.stationId = Cut(id, kStationIdMax);
}

void FaxEngine::SetModemInit(std::string_view value)
{
    modem_.modemInit = ModemInitFrom(value);
}

void FaxEngine::SetDetectBusy(bool on)
{
    modem_.detectBusy = on;
    modem_.defaultInit = DefaultInitString(modem_.detectBusy, modem_.blindDial);
}

void FaxEngine::SetBlindDial(bool on)
{
    modem_.blindDial = on;
    modem_.defaultInit = DefaultInitString(modem_.detectBusy, modem_.blindDial);
}

void FaxEngine::SetPhoneNumber(std::string_view number)
{
    session_.phoneNumber = Cut(number, kPhoneNumberMax);
}

void FaxEngine::SetDialPrefix(std::string_view prefix)
{
    modem_.dialPrefix = Cut(prefix, kDialPrefixMax);
}

void FaxEngine::SetHeaderLine(std::string_view line)
{
    sender_.headerLine = Cut(line, kHeaderLineMax);
}

void FaxEngine::SetInitBaud(int initBaud, int normalBaud, bool switchNow)
{
    modem_.initBaud = initBaud;
    modem_.normalBaud = normalBaud != 0 ? normalBaud : port_.GetLineParams().baud;
    if (switchNow && initBaud != 0 && port_.IsOpen())
        port_.SetLineParams(initBaud, serial::kParityUnchanged, serial::kDataBitsUnchanged,
                            serial::kStopBitsUnchanged);
}

void FaxEngine::SetNextFax(std::string_view phone, std::string_view faxFile, std::string_view coverFile)
{
    SetPhoneNumber(phone);
    // Linux file names are case-sensitive: they are kept as given.
    session_.faxFile = std::string(faxFile);
    session_.coverFile = std::string(coverFile);
}

void FaxEngine::SetReceiveFileName(std::string_view name)
{
    receiveName_ = std::string(name);
}

FaxProgressInfo FaxEngine::Progress() const
{
    const PageCounters& pages = session_.pages;
    FaxProgressInfo info;
    info.currentPage = pages.currentPage.load();
    if (kind_ == EngineKind::Receiver) {
        info.bytes = pages.bytes.load();
        return info;
    }
    info.pagesInFile = pages.pagesInFile.load();
    if (sendingCoverNow_.load())
        info.currentPage = 0;
    info.pageLength = pages.pageLength.load();
    info.bytes = std::max(0L, pages.bytes.load() - static_cast<long>(std::max(0, port_.OutputUsed())));
    return info;
}

std::string FaxEngine::RemoteId() const
{
    std::lock_guard guard(remoteIdLock_);
    return remoteId_;
}

void FaxEngine::SetRemoteId(std::string_view id)
{
    std::lock_guard guard(remoteIdLock_);
    remoteId_ = Cut(id, kStationIdMax);
}

}  // namespace vl::fax
