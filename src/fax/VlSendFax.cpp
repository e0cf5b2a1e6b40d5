#include "fax/VlSendFax.h"

#include <cstdio>

#include "base/Exceptions.h"
#include "base/Ticks.h"
#include "fax/FaxCodes.h"
#include "fax/FaxFileJoin.h"

namespace vl::fax {

VlSendFax::VlSendFax(base::MessageLoop& loop) : VlAbstractFax(loop, EngineKind::Sender) {}

VlSendFax::~VlSendFax()
{
    DeleteJoinedFile();
}

std::string VlSendFax::FaxFile() const
{
    return FaxFileList.empty() ? std::string() : FaxFileList.front();
}

void VlSendFax::SetFaxFile(const std::string& file)
{
    FaxFileList.assign(1, file);
}

void VlSendFax::StartTransmit()
{
    CheckPort();
    if (Running())
        base::CheckException(base::ecComponentBusy);
    DeleteJoinedFile();
    if (FaxFileList.size() >= 2 && !OnFaxNext) {
        std::string joined;
        base::CheckException(JoinFaxFiles(FaxFileList, FaxFileExt, joined));
        joinedFile_ = joined;
    }
    sentOnce_ = false;
    try {
        StartEngine();
    } catch (...) {
        DeleteJoinedFile();
        throw;
    }
}

void VlSendFax::ApplyOptions(FaxEngine& engine)
{
    engine.SetBlindDial(BlindDial);
    engine.SetDetectBusy(DetectBusy);
    engine.SetDialPrefix(DialPrefix);
    engine.SetHeaderLine(HeaderLine);
    FaxSession& session = engine.Session();
    session.maxDialAttempts = DialAttempts;
    session.dialRetryWaitTicks = base::SecsToTicks(DialRetryWait);
    session.headerSender = HeaderSender;
    session.headerRecipient = HeaderRecipient;
    session.headerTitle = HeaderTitle;
    ModemRecord& modem = engine.Modem();
    modem.toneDial = ToneDial;
    modem.dialWaitTicks = base::SecsToTicks(DialWait);
    modem.enhTextEnabled = EnhTextEnabled;
    modem.enhHeaderFont = EnhHeaderFont;
    modem.enhFont = EnhFont;
    SenderOptions& sender = engine.Sender();
    sender.safeMode = SafeMode;
    sender.maxSendCount = MaxSendCount;
    sender.bufferMinimum = BufferMinimum;
    sender.endOfDocument = EndOfDoc;
}

bool VlSendFax::NextFax(std::string& phoneNumber, std::string& faxFile, std::string& coverFile)
{
    phoneNumber.clear();
    faxFile.clear();
    coverFile.clear();
    if (OnFaxNext) {
        OnFaxNext(*this, phoneNumber, faxFile, coverFile);
        SetFaxFile(faxFile);
    } else if (!sentOnce_) {
        sentOnce_ = true;
        phoneNumber = PhoneNumber;
        faxFile = joinedFile_.empty() ? FaxFile() : joinedFile_;
        coverFile = CoverFile;
    }
    return !phoneNumber.empty();
}

std::intptr_t VlSendFax::OnKindMessage(const base::WindowMessage& message)
{
    if (message.msg != kMsgNextFile || !Engine())
        return 0;
    std::string number, file, cover;
    if (!NextFax(number, file, cover))
        return 0;
    Engine()->SetNextFax(number, file, cover);
    currentNumber_ = number;
    currentCover_ = cover;
    return 1;
}

FaxLogFacts VlSendFax::LogFacts() const
{
    FaxLogFacts facts = VlAbstractFax::LogFacts();
    facts.faxFileList = OnFaxNext || FaxFileList.empty() ? std::vector<std::string>{FaxFile()} : FaxFileList;
    facts.phoneNumber = currentNumber_;
    return facts;
}

FaxStatusInput VlSendFax::StatusInput() const
{
    FaxStatusInput input = VlAbstractFax::StatusInput();
    input.sender = true;
    input.phoneNumber = currentNumber_;
    input.faxFile = FaxFile();
    input.coverFile = currentCover_;
    input.redialWaitSecs = DialRetryWait;
    return input;
}

void VlSendFax::SessionFinished()
{
    DeleteJoinedFile();
}

void VlSendFax::DeleteJoinedFile()
{
    if (joinedFile_.empty())
        return;
    std::remove(joinedFile_.c_str());
    joinedFile_.clear();
}

}  // namespace vl::fax
