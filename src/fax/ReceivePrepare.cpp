// The receive machine's prepare step: the modem is found, initialised and
// put into the fax class before the first pass, while the engine reads the
// modem's replies itself.
#include "base/ErrorCodes.h"
#include "base/TextCase.h"
#include "fax/FaxEngine.h"
#include "fax/ReceiveMachine.h"

namespace vl::fax {

void ReceiveMachine::Prepare() {
    FaxSession& session = Engine().Session();
    Go(rfInit);
    session.lastError = 0;
    session.progress = 0;
    constantStatusSent_ = false;
    session.stationId = base::UpperAscii(session.stationId);
    if (session.faxClass == kClassUnknown || session.faxClass == kClassDetect) {
        if (!Engine().DetectFaxClass()) {
            Engine().RecordError(base::ecFaxBadModemResult);
            return;
        }
    }
    const bool class2 = IsClass2();
    ModemRecord& modem = Engine().Modem();
    if (class2)
        modem.vocabulary = VocabularyFor(session.faxClass);
    serial::VlBaseDispatcher& port = Engine().Port();
    const bool held = port.SetDispatching(true);
    // A modem that does not take its set-up cannot answer a call: the
    // session ends here with the reason (-8061, as a sender's does) rather
    // than showing "waiting for a call" while no fax can come in.
    bool ready = Engine().InitModem() && Engine().SyncCommand(class2 ? modem.vocabulary.selectClass : "AT+FCLASS=1");
    if (ready)
        Engine().SwitchToNormalBaud();
    if (ready && class2) {
        ready = Engine().SyncCommand("AT+FCR=1") &&
                Engine().SyncCommand(modem.vocabulary.localId + "=\"" + session.stationId + "\"") &&
                Engine().SyncCommand(std::string("AT+FAA=") + modem.faxAndData);
    }
    if (ready && (class2 || Engine().DetermineLocalSpeeds()))
        session.prepared = true;
    else
        Engine().RecordError(base::ecFaxBadModemResult);
    while (port.ReadByte() >= 0) {
    }
    port.SetDispatching(held);
}

}  // namespace vl::fax
