#include "session/SessionPort.h"

#include <exception>

#include "app/ModemCommands.h"

namespace vl::session {

namespace {

constexpr int kBufferFull = 7372;
constexpr int kBufferResume = 819;
constexpr int kTraceSize = 32000;
constexpr int kLogSize = 65500;

}  // namespace

void PrepareFaxPort(serial::VlComPort& port, fax::VlAbstractFax& fax)
{
    app::UseProgramPorts(port);
    port.SetComNumber(1);
    port.SetAutoOpen(false);
    fax.SetComPort(&port);
    port.SetBufferFull(kBufferFull);
    port.SetBufferResume(kBufferResume);
    port.SetTraceSize(kTraceSize);
    port.SetLogSize(kLogSize);
}

void CloseSessionPort(serial::VlComPort& port, bool writeOut, PortRecorder recorder)
{
    try {
        if (writeOut && recorder == PortRecorder::DispatchLog)
            port.SetLogging(serial::tlDump);
        if (writeOut && recorder == PortRecorder::Trace)
            port.SetTracing(serial::tlDump);
    } catch (const std::exception&) {
        // A file that cannot be written must not keep the port open.
    }
    try {
        port.SetOpen(false);
    } catch (const std::exception&) {
        // Closing is best effort; the next open reports a real problem.
    }
}

void RunPending(base::MessageLoop& loop, SessionUi& ui)
{
    loop.ProcessPendingMessages();
    ui.ProcessMessages();
}

}  // namespace vl::session
