// The send states that move page data: the top of each page with its header
// line, a text or APF cover page, the page pump and the page's end.
#include <algorithm>
#include <chrono>
#include <ctime>
#include <thread>

#include "base/ErrorCodes.h"
#include "faxdoc/ApfFormat.h"
#include "fax/HeaderLine.h"
#include "fax/SendMachine.h"

namespace vl::fax {

namespace {

// How long a block waits for room in the port's output buffer.
constexpr auto kRoomWait = std::chrono::seconds(60);

HeaderValues ValuesFor(const FaxSession& session)
{
    HeaderValues values;
    const std::time_t now = std::time(nullptr);
    localtime_r(&now, &values.when);
    values.sender = session.headerSender;
    values.stationId = session.stationId;
    values.recipient = session.headerRecipient;
    values.title = session.headerTitle;
    values.totalPages = session.pages.pagesInFile + session.pages.coverPages;
    values.pageNumber = HeaderPageNumber(session.pages.currentPage, session.pages.coverPages, session.sendingCover);
    return values;
}

}  // namespace

std::size_t SendMachine::MinScanBytes() const
{
    return static_cast<std::size_t>(std::max(0, modem_.params.minBytesPerLine));
}

void SendMachine::StartPageOnLine()
{
    faxdoc::RecodeSetup onLine;
    onLine.from = faxdoc::PageCoding::Mh;
    onLine.to = modem_.params.coding;
    onLine.width = modem_.wide ? faxdoc::kWideWidth : faxdoc::kNormalWidth;
    onLine.fine = modem_.resolution == '1';
    onLine.minScanBytes = MinScanBytes();
    escaper_.StartPage(onLine);
}

int SendMachine::SendToPort(std::span<const std::uint8_t> bytes)
{
    // The pump only starts a block with 4096 bytes free, but escaping can
    // double a block: wait for the output thread to make room.
    auto& port = engine_.Port();
    const auto giveUp = std::chrono::steady_clock::now() + kRoomWait;
    while (port.OutputFree() < static_cast<int>(bytes.size())) {
        if (std::chrono::steady_clock::now() > giveUp || !port.IsOpen())
            return base::ecFatalTimeout;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    const int rc = port.WriteBlock(bytes);
    return rc < 0 ? rc : 0;
}

void SendMachine::ArmPageTriggers()
{
    engine_.SetTimeout(modem_.dataTimeout);
    engine_.ArmOutputFree(kOutputFreeWanted);
}

void SendMachine::WaitFrameHead(FaxEvent event)
{
    if (event == FaxEvent::Timeout) {
        Fail(base::ecFatalTimeout);
    } else if (event == FaxEvent::OutputFree) {
        engine_.SetProgress(base::fpSendingPage);
        if (session_.flags & kFlagSoftwareFlow)
            engine_.Port().SetSoftwareFlow(0, 0, serial::sfTransmit);
        state_ = tfSndPgeHdr;
    }
}

void SendMachine::SendPageHeader(FaxEvent)
{
    // The blank lines go out as soon as the modem has connected, before the
    // header font is loaded: a Class 1 modem wants data promptly. No fill
    // follows them: the page itself comes at once.
    StartPageOnLine();
    int rc = 0;
    for (int line = 0; line < kTopBlankLines && rc == 0; ++line)
        rc = escaper_.SendBlankLine(MinScanBytes());
    if (rc == 0 && !options_.headerLine.empty()) {
        std::optional<gfx::FontSpec> font;
        if (modem_.enhTextEnabled)
            font = modem_.enhHeaderFont;
        PageText header(modem_.resolution == '1', modem_.wide, faxdoc::FaxFontSize::Small, font);
        rc = header.SendLine(SubstituteHeader(options_.headerLine, ValuesFor(session_)), escaper_, MinScanBytes());
    }
    if (rc == 0)
        rc = escaper_.EndBurst();
    if (rc != 0) {
        Fail(rc);
        return;
    }
    state_ = session_.coverFile.empty() ? tfPrepPage : tfOpenCover;
}

void SendMachine::OpenCover(FaxEvent)
{
    session_.pages.bytes = 0;
    if (modem_.coverIsApf) {
        int rc = apfCover_.Open(session_.coverFile, session_.faxFileExt);
        if (rc == 0)
            rc = apfCover_.PositionAtPage(1);
        if (rc != 0) {
            Fail(rc);
            return;
        }
        state_ = tfPrepPage;
        return;
    }
    coverReader_ = std::make_unique<faxdoc::TextLineReader>();
    if (const int rc = coverReader_->Open(session_.coverFile); rc != 0) {
        Fail(rc);
        return;
    }
    std::optional<gfx::FontSpec> font;
    if (modem_.enhTextEnabled)
        font = modem_.enhFont;
    coverText_ = std::make_unique<PageText>(modem_.resolution == '1', modem_.wide, faxdoc::FaxFontSize::Standard, font);
    engine_.SetProgress(base::fpSendingPage);
    ArmPageTriggers();
    state_ = tfSendCover;
}

void SendMachine::SendCover(FaxEvent event)
{
    if (event == FaxEvent::Timeout) {
        Fail(base::ecFatalTimeout);
        return;
    }
    auto& port = engine_.Port();
    std::string line;
    while (port.OutputFree() > kOutputFreeWanted) {
        bool gotLine = false;
        if (const int rc = coverReader_->ReadLine(line, gotLine); rc != 0) {
            Fail(rc);
            return;
        }
        if (!gotLine) {
            int rc = escaper_.SendRecord(faxdoc::kEndOfPageRecord, MinScanBytes());
            if (rc == 0)
                rc = escaper_.EndPage();
            if (rc == 0 && !IsClass2() && !ecm_.collecting)
                rc = escaper_.SendEndOfData();
            if (rc != 0) {
                Fail(rc);
                return;
            }
            engine_.SetProgress(base::fpSendingPage);
            engine_.SetTimeout(modem_.dataTimeout);
            engine_.ArmOutputUsed(0);
            state_ = tfDrainPage;
            return;
        }
        if (const int rc = coverText_->SendLine(SubstituteHeader(line, ValuesFor(session_)), escaper_, MinScanBytes());
            rc != 0) {
            Fail(rc);
            return;
        }
    }
    if (const int rc = escaper_.EndBurst(); rc != 0) {
        Fail(rc);
        return;
    }
    ArmPageTriggers();
}

bool SendMachine::CarrierLost()
{
    while (engine_.Collect() == ResponseKind::Line) {
        const Reply reply{Classify(engine_.Response()), engine_.Response()};
        if (reply.kind == ModemReply::NoCarrier) {
            Fail(base::ecFaxSessionError);
            return true;
        }
        IgnoreLine(reply);
    }
    return false;
}

SendFaxFile& SendMachine::PageSource()
{
    return session_.sendingCover && modem_.coverIsApf ? apfCover_ : file_;
}

void SendMachine::PreparePage(FaxEvent)
{
    session_.pages.bytes = 0;
    session_.pages.pageLength = PageSource().PageHeader().imageLength;
    modem_.statusPending = true;
    ArmPageTriggers();
    state_ = tfSendPage;
}

void SendMachine::PumpPage(FaxEvent event)
{
    auto& port = engine_.Port();
    if (event == FaxEvent::Timeout) {
        Fail(base::ecFatalTimeout);
        return;
    }
    if (event == FaxEvent::Chars && CarrierLost())
        return;
    const base::Tick interval = base::SecsToTicks(std::max(1, session_.statusIntervalSecs));
    base::EventTimer report;
    base::NewTimer(report, 3 * interval);
    SendFaxFile& source = PageSource();
    for (int count = 0; count < options_.maxSendCount; ++count) {
        if (port.OutputUsed() > options_.bufferMinimum || port.OutputFree() < kOutputFreeWanted)
            break;
        if (base::TimerExpiredAt(report, base::Ticks())) {
            engine_.SendStatus(0);
            engine_.ArmStatusTimer();
            base::NewTimer(report, 2 * interval);
        }
        std::uint32_t counted = 0;
        if (const int rc = source.ReadBlock(block_, counted); rc != 0) {
            Fail(rc);
            return;
        }
        if (!block_.empty()) {
            session_.pages.bytes += counted;
            const int rc = source.PageHeader().LineRecords() ? escaper_.SendRecord(block_, MinScanBytes())
                                                             : escaper_.SendBlock(block_);
            if (rc != 0) {
                Fail(rc);
                return;
            }
        }
        if (block_.empty() || source.PageDone()) {
            engine_.SetProgress(base::fpSendingPage);
            state_ = tfDrainPage;
            break;
        }
    }
    // Class 1 ends the page data with DLE ETX here (a page gathered for
    // error correction ends with its blocks), Classes 2 and 2.0 once the port
    // has drained.
    int rc = state_ == tfDrainPage ? escaper_.EndPage() : escaper_.EndBurst();
    if (rc == 0 && state_ == tfDrainPage && !IsClass2() && !ecm_.collecting)
        rc = escaper_.SendEndOfData();
    if (rc != 0) {
        Fail(rc);
        return;
    }
    engine_.SetTimeout(modem_.dataTimeout);
    if (state_ == tfDrainPage)
        engine_.ArmOutputUsed(0);
    else
        engine_.ArmOutputFree(kOutputFreeWanted);
}

void SendMachine::DrainPage(FaxEvent event)
{
    if (event == FaxEvent::Timeout) {
        Fail(base::ecFatalTimeout);
        return;
    }
    // The modem's "OK" after the page is read by the next state.
    if (event != FaxEvent::OutputUsed)
        return;
    if (session_.flags & kFlagSoftwareFlow)
        engine_.Port().ClearSoftwareFlow();
    RememberSentPage();
    if (!AdvancePage())
        return;
    engine_.SetProgress(base::fpSendingPage);
    if (!IsClass2()) {
        // With error correction the page was gathered, not sent: its
        // blocks go now.
        state_ = ecm_.collecting ? tf1EcmBlock : tf1PageEnd;
        return;
    }
    int rc = 0;
    if (session_.faxClass == kClass2)
        rc = escaper_.SendEndOfData();
    else if (!modem_.morePages)
        rc = escaper_.SendClass20PageEnd(NextPage::None);
    else
        rc = escaper_.SendClass20PageEnd(NextHasOtherResolution() ? NextPage::OtherResolution : NextPage::SameResolution);
    if (rc != 0) {
        Fail(rc);
        return;
    }
    state_ = tf2SendEOP;
}

bool SendMachine::AdvancePage()
{
    modem_.morePages = file_.IsOpen() &&
                       (session_.sendingCover || session_.pages.currentPage < session_.pages.pagesInFile);
    if (!modem_.morePages)
        return true;
    if (session_.sendingCover) {
        ReleaseCover();
        engine_.SetSendingCover(false);
        session_.coverFile.clear();
    } else {
        ++session_.pages.currentPage;
    }
    session_.pages.bytes = 0;
    if (const int rc = file_.PositionAtPage(static_cast<unsigned>(session_.pages.currentPage.load())); rc != 0) {
        Fail(rc);
        return false;
    }
    modem_.previousResolution = modem_.resolution;
    modem_.resolution = file_.HighResolution() ? '1' : '0';
    modem_.wide = file_.PageHeader().Wide();
    return true;
}

}  // namespace vl::fax
