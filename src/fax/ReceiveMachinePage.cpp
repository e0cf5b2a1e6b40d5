// The receive machine's pages: accepting the call, creating the receive file,
// starting a page and taking its bytes from the modem.
#include <chrono>
#include <ctime>

#include "base/ErrorCodes.h"
#include "base/MessageWindow.h"
#include "fax/ControlBytes.h"
#include "fax/FaxEngine.h"
#include "fax/ReceiveMachine.h"
#include "fax/ReceivedFileNames.h"
#include "faxdoc/ApfFormat.h"

namespace vl::fax {
namespace {

std::tm LocalNow() {
    const std::time_t now = std::time(nullptr);
    std::tm today{};
    localtime_r(&now, &today);
    return today;
}

}  // namespace

std::string ReceiveMachine::AskFileName() {
    Engine().SetReceiveFileName("");
    if (Engine().Window() != nullptr)
        Engine().Ask(kMsgName, std::chrono::milliseconds(kMessageTimeoutMs));
    if (!Engine().ReceiveFileName().empty())
        return Engine().ReceiveFileName();
    // No component chose one: the counter rule in the destination folder.
    const FaxSession& session = Engine().Session();
    return ReceivedFileName(ReceiveNaming::Counter, session.destinationDir, session.faxFileExt, LocalNow());
}

int ReceiveMachine::CreateFile() {
    Engine().Session().pages.currentPage = 1;
    const std::string name = AskFileName();
    const int rc = file_.Create(name, Engine().RemoteId(), std::time(nullptr));
    if (rc != 0)
        return rc;
    Engine().Session().faxFile = name;
    Engine().SendLog(kLogReceiveStarted);
    return 0;
}

void ReceiveMachine::AcceptCall() {
    const bool accepted = Engine().Window() == nullptr ||
                          Engine().Ask(kMsgAccept, std::chrono::milliseconds(kMessageTimeoutMs)) == 1;
    if (!accepted) {
        // Not an error of the session: the call is logged as skipped, and
        // the abort state hangs up.
        if (IsClass2())
            Engine().SendRaw("AT+FKS\r");
        Engine().RecordError(base::ecFileRejected);
        Engine().Modem().statusPending = true;
        Engine().SendLog(kLogReceiveSkipped);
        Go(rfAbort);
        return;
    }
    if (!file_.IsOpen()) {
        const int rc = CreateFile();
        if (rc != 0) {
            Fail(rc);
            return;
        }
        arrival_ = PageArrival::MorePages;
        Engine().Session().pages.currentPage = 0;
    }
}

void ReceiveMachine::StartPage() {
    if (arrival_ == PageArrival::NoFile) {
        if (file_.IsOpen())
            file_.Close();
        const int rc = CreateFile();
        if (rc != 0) {
            Fail(rc);
            return;
        }
        arrival_ = PageArrival::MorePages;
    }
    // A removed page leaves its number to the next one.
    Engine().Session().pages.currentPage = static_cast<int>(file_.NextPageNumber());
    const int rc = file_.BeginPage(Engine().Modem().params.fine, Engine().Modem().params.wide);
    if (rc != 0) {
        Fail(rc);
        return;
    }
    pageData_.SetReverseBits(Engine().Session().faxClass == kClass2);
    pageData_.StartPage();
    recoder_.reset();
    if (const SessionParams& params = Engine().Modem().params; params.coding != faxdoc::PageCoding::Mh) {
        faxdoc::RecodeSetup stored;
        stored.from = params.coding;
        stored.to = faxdoc::PageCoding::Mh;
        stored.width = params.wide ? faxdoc::kWideWidth : faxdoc::kNormalWidth;
        stored.fine = params.fine;
        recoder_ = std::make_unique<faxdoc::PageRecoder>(stored);
    }
    Engine().SetTimeout(Engine().Modem().responseTimeout);
    Engine().Session().pages.bytes = 0;
    if (IsClass2()) {
        // The modem holds the page data until we say we are ready.
        const std::uint8_t ready = kDc2;
        if (const int rc = Engine().SendRaw(std::span<const std::uint8_t>(&ready, 1)); rc != 0) {
            Fail(rc);
            return;
        }
    }
    Engine().SetProgress(base::fpGettingPage);
    Go(rfGtPgDta);
}

int ReceiveMachine::StorePageBytes(std::span<const std::uint8_t> bytes) {
    if (!recoder_)
        return file_.Write(bytes);
    recoded_.clear();
    recoder_->Feed(bytes, recoded_);
    return file_.Write(recoded_);
}

int ReceiveMachine::EndStoredPage() {
    if (!recoder_)
        return 0;
    recoded_.clear();
    recoder_->Finish(recoded_);
    recoder_.reset();
    return file_.Write(recoded_);
}

void ReceiveMachine::TakePageData(const Input& in) {
    serial::VlBaseDispatcher& port = Engine().Port();
    chunk_.clear();
    for (int n = 1; n <= static_cast<int>(PageDataReceiver::kMaxPerCall); ++n) {
        const int byte = port.PeekByte(n);
        if (byte < 0)
            break;
        chunk_.push_back(static_cast<std::uint8_t>(byte));
    }
    if (chunk_.empty()) {
        if (in.event == FaxEvent::Timeout)
            Fail(base::ecFatalTimeout);
        return;
    }
    const PageDataResult result = pageData_.Take(chunk_);
    for (std::size_t i = 0; i < result.consumed; ++i)
        port.ReadByte();
    Engine().Session().pages.bytes = static_cast<long>(pageData_.BytesStored());
    if (result.error != 0) {
        Fail(result.error);
        return;
    }
    if (!result.pageEnded) {
        Engine().SetTimeout(Engine().Modem().responseTimeout);
        return;
    }
    Engine().SetProgress(base::fpGettingPage);
    Engine().ResetResponse();
    if ((Engine().Session().flags & kFlagSoftwareFlow) != 0)
        port.ClearSoftwareFlow();
    Go(IsClass2() ? rf2GtPgRslt : rf1FinPage);
}

void ReceiveMachine::CloseReceivedFax() {
    if (const int rc = file_.Close(); rc != 0) {
        Fail(rc);
        return;
    }
    Engine().SendLog(kLogReceiveOk);
    Engine().Session().faxFile.clear();
    Engine().SetProgress(base::fpGettingHangup);
}

}  // namespace vl::fax
