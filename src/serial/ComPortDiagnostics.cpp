// The byte trace and the dispatch log of the comm port: their states while
// closed and open, and their sizes.
#include <algorithm>

#include "base/Exceptions.h"
#include "serial/VlComPort.h"

namespace vl::serial {

namespace {

// What one of the two recorders does for the component.
struct Recorder {
    int (VlBaseDispatcher::*start)(std::size_t);
    void (VlBaseDispatcher::*pause)();
    void (VlBaseDispatcher::*resume)();
    void (VlBaseDispatcher::*clear)();
    void (VlBaseDispatcher::*stop)();
    bool (VlBaseDispatcher::*started)();
    int (VlBaseDispatcher::*write)(const std::string&, bool, bool, bool);
};

constexpr Recorder kTrace{&VlBaseDispatcher::StartTrace,  &VlBaseDispatcher::PauseTrace,
                          &VlBaseDispatcher::ResumeTrace, &VlBaseDispatcher::ClearTrace,
                          &VlBaseDispatcher::StopTrace,   &VlBaseDispatcher::TraceStarted,
                          &VlBaseDispatcher::WriteTrace};

constexpr Recorder kLog{&VlBaseDispatcher::StartDispatchLog,  &VlBaseDispatcher::PauseDispatchLog,
                        &VlBaseDispatcher::ResumeDispatchLog, &VlBaseDispatcher::ClearDispatchLog,
                        &VlBaseDispatcher::StopDispatchLog,   &VlBaseDispatcher::DispatchLogStarted,
                        &VlBaseDispatcher::WriteDispatchLog};

struct RecorderFile {
    const std::string& name;
    bool hex;
    bool allHex;
};

// Moves a recorder of the open port from `current` to `wanted`; answers the
// state it is in afterwards.
TraceLogState ApplyState(VlBaseDispatcher& dispatcher, const Recorder& recorder, TraceLogState current,
                         TraceLogState wanted, int size, const RecorderFile& file)
{
    switch (wanted) {
    case tlOff:
        (dispatcher.*recorder.stop)();
        return tlOff;
    case tlOn:
        if (current == tlPause && (dispatcher.*recorder.started)())
            (dispatcher.*recorder.resume)();
        else if (current != tlOn || !(dispatcher.*recorder.started)())
            base::CheckException((dispatcher.*recorder.start)(static_cast<std::size_t>(size)));
        return tlOn;
    case tlDump:
    case tlAppend:
        if ((dispatcher.*recorder.started)())
            base::CheckException((dispatcher.*recorder.write)(file.name, wanted == tlAppend, file.hex, file.allHex));
        return tlOff;
    case tlClear:
        (dispatcher.*recorder.clear)();
        return current;
    case tlPause:
        if (current == tlOff)
            return tlOff;
        (dispatcher.*recorder.pause)();
        return tlPause;
    }
    return current;
}

// While closed only on and off are kept.
TraceLogState ClosedState(TraceLogState wanted)
{
    return wanted == tlOn ? tlOn : tlOff;
}

}  // namespace

void VlComPort::SetTracing(TraceLogState state)
{
    if (!Applies()) {
        tracing_ = ClosedState(state);
        return;
    }
    // Opening re-applies the stored state to a recorder that is not started yet.
    const TraceLogState current = dispatcher_->TraceStarted() ? tracing_ : tlOff;
    tracing_ = ApplyState(*dispatcher_, kTrace, current, state, traceSize_, {traceName_, traceHex_, traceAllHex_});
}

void VlComPort::SetLogging(TraceLogState state)
{
    if (!Applies()) {
        logging_ = ClosedState(state);
        return;
    }
    const TraceLogState current = dispatcher_->DispatchLogStarted() ? logging_ : tlOff;
    logging_ = ApplyState(*dispatcher_, kLog, current, state, logSize_, {logName_, logHex_, logAllHex_});
}

void VlComPort::SetTraceSize(int entries)
{
    entries = std::clamp(entries, 0, kMaxTraceSize);
    if (entries == traceSize_)
        return;
    traceSize_ = entries;
    if (Applies() && (tracing_ == tlOn || tracing_ == tlPause)) {
        dispatcher_->StopTrace();
        tracing_ = tlOff;
        SetTracing(tlOn);
    }
}

void VlComPort::SetLogSize(int bytes)
{
    bytes = std::clamp(bytes, 0, kMaxLogSize);
    if (bytes == logSize_)
        return;
    logSize_ = bytes;
    if (Applies() && (logging_ == tlOn || logging_ == tlPause)) {
        dispatcher_->StopDispatchLog();
        logging_ = tlOff;
        SetLogging(tlOn);
    }
}

}  // namespace vl::serial
