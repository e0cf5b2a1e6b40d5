#include "fax/VlReceiveFax.h"

#include <ctime>

#include "base/Exceptions.h"
#include "fax/FaxCodes.h"
#include "fax/ReceivedFileNames.h"

namespace vl::fax {

namespace {

bool Quoted(const std::string& text)
{
    return text.size() >= 2 && text.front() == '"' && text.back() == '"';
}

}  // namespace

VlReceiveFax::VlReceiveFax(base::MessageLoop& loop) : VlAbstractFax(loop, EngineKind::Receiver) {}

void VlReceiveFax::SetDestinationDir(const std::string& folder)
{
    const bool quoted = Quoted(folder);
    const std::string inner = quoted ? folder.substr(1, folder.size() - 2) : folder;
    const std::string stored = inner.empty() || inner.back() == '/' ? inner : inner + "/";
    destinationDir_ = quoted ? "\"" + stored + "\"" : stored;
}

void VlReceiveFax::StartReceive()
{
    CheckPort();
    if (Running())
        base::CheckException(base::ecComponentBusy);
    StartEngine();
}

void VlReceiveFax::ApplyOptions(FaxEngine& engine)
{
    ModemRecord& modem = engine.Modem();
    modem.answerOnRing = AnswerOnRing;
    modem.faxAndData = FaxAndData ? '1' : '0';
    ReceiverOptions& receiver = engine.Receiver();
    receiver.oneFax = OneFax;
    receiver.constantStatus = ConstantStatus;
    engine.Session().destinationDir = destinationDir_;
}

// The quotes of a quoted folder are not part of the path on this system.
std::string VlReceiveFax::DefaultName() const
{
    const std::string folder =
        Quoted(destinationDir_) ? destinationDir_.substr(1, destinationDir_.size() - 2) : destinationDir_;
    if (NamingMode != static_cast<int>(ReceiveNaming::Counter) && NamingMode != static_cast<int>(ReceiveNaming::Date))
        return folder + "noname.apf";
    const std::time_t now = std::time(nullptr);
    std::tm today{};
    localtime_r(&now, &today);
    return ReceivedFileName(static_cast<ReceiveNaming>(NamingMode), folder, FaxFileExt, today);
}

std::intptr_t VlReceiveFax::OnKindMessage(const base::WindowMessage& message)
{
    if (message.msg == kMsgAccept) {
        bool accept = true;
        if (OnFaxAccept)
            OnFaxAccept(*this, accept);
        return accept ? 1 : 0;
    }
    if (message.msg == kMsgName) {
        std::string name;
        if (OnFaxName)
            OnFaxName(*this, name);
        else
            name = DefaultName();
        SetFaxFile(name);
        if (Engine())
            Engine()->SetReceiveFileName(name);
        return 1;
    }
    return 0;
}

}  // namespace vl::fax
