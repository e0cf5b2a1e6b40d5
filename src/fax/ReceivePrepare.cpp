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
    if (session.faxClass != kClass1) {
        // Class 2 and 2.0 sessions are not driven yet.
        Engine().RecordError(kErrClassNotDriven);
        return;
    }
    serial::VlBaseDispatcher& port = Engine().Port();
    const bool held = port.SetDispatching(true);
    // A modem that does not take its set-up cannot answer a call: the
    // session ends here with the reason rather than waiting in vain.
    const bool ready = Engine().InitModem() && Engine().SyncCommand("AT+FCLASS=1");
    if (ready)
        Engine().SwitchToNormalBaud();
    if (ready && Engine().DetermineLocalSpeeds())
        session.prepared = true;
    else
        Engine().RecordError(base::ecFaxBadModemResult);
    while (port.ReadByte() >= 0) {
    }
    port.SetDispatching(held);
}

}  // namespace vl::fax
