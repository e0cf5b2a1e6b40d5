// The comm port as both fax sessions use it: prepared once for the fax
// component, written out and closed quietly when a session ends.
#pragma once

#include "base/MessageWindow.h"
#include "fax/VlAbstractFax.h"
#include "serial/VlComPort.h"
#include "session/SessionUi.h"

namespace vl::session {

// The program's ports (see app::UseProgramPorts), opened only on request,
// linked to `fax` (8N1, 19200 bit/s, 8192-byte buffers, RTS/CTS flow with
// marks 7372 and 819), with room for 32000 trace entries and a 65500-byte
// dispatch log.
void PrepareFaxPort(serial::VlComPort& port, fax::VlAbstractFax& fax);

// Which recorder of the port a session writes out.
enum class PortRecorder { DispatchLog, Trace };

// Writes the recorder's file when it runs, then closes the port. Neither
// step may keep a session from ending, so failures are dropped.
void CloseSessionPort(serial::VlComPort& port, bool writeOut, PortRecorder recorder);

// Lets the component's messages and the window's events run.
void RunPending(base::MessageLoop& loop, SessionUi& ui);

}  // namespace vl::session
