// What the send and receive fax components share: the engine options as
// properties with their defaults, the comm port, status display and fax log
// they are linked to, the hidden window that turns the engine's messages into
// events on the main thread, the port check, cancel and the modem class query.
//
// Main thread only. A call that must fail raises the EVlException family
// (base/Exceptions.h); errors during a session arrive as OnFaxError and as
// the code of OnFaxFinish.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "base/MessageWindow.h"
#include "fax/FaxEngine.h"
#include "fax/FaxLog.h"
#include "fax/FaxProgressValues.h"
#include "fax/FaxStatusModel.h"
#include "faxdoc/PageCoding.h"

namespace vl::serial {
class VlComPort;
}

namespace vl::fax {

enum TFaxClass { fcUnknown, fcDetect, fcClass1, fcClass2, fcClass2_0 };

class VlAbstractFax {
public:
    using StatusEvent = std::function<void(VlAbstractFax& fax, bool first, bool last)>;
    using CodeEvent = std::function<void(VlAbstractFax& fax, int code)>;

    virtual ~VlAbstractFax();
    VlAbstractFax(const VlAbstractFax&) = delete;
    VlAbstractFax& operator=(const VlAbstractFax&) = delete;

    // --- Properties with their defaults ---
    int InitBaud = 0;     // line speed while idle; 0 = no switching
    int NormalBaud = 0;   // line speed during a fax
    TFaxClass FaxClass = fcDetect;
    std::string ModemInit;
    std::string StationID;  // up to 20 characters
    bool AbortNoConnect = false;
    bool ExitOnError = false;
    bool SoftwareFlow = false;
    int StatusInterval = 1;  // seconds
    int DesiredBPS = 9600;
    bool DesiredECM = false;
    // The best coding offered and accepted; MMR needs error correction, so
    // without it MR is the best.
    faxdoc::PageCoding DesiredCoding = faxdoc::PageCoding::Mmr;
    std::string FaxFileExt = "APF";

    // Linking sets the port to 8N1, 19200 bit/s, 8192-byte buffers and
    // RTS/CTS flow control; nullptr removes the link. The port must outlive
    // the link: unlink it before destroying the port.
    serial::VlComPort* ComPort() const { return comPort_; }
    void SetComPort(serial::VlComPort* port);
    // The display's Cancel button cancels this fax while linked.
    FaxStatusModel* StatusDisplay() const { return statusDisplay_; }
    void SetStatusDisplay(FaxStatusModel* display);
    VlFaxLog* FaxLog() const { return faxLog_; }
    void SetFaxLog(VlFaxLog* log) { faxLog_ = log; }

    virtual std::string FaxFile() const { return faxFile_; }
    virtual void SetFaxFile(const std::string& file);

    // --- Events (raised on the main thread) ---
    StatusEvent OnFaxStatus;
    CodeEvent OnFaxLog;     // log codes 1..7
    CodeEvent OnFaxError;   // a negative code
    CodeEvent OnFaxFinish;  // 0 = success

    // --- Operations ---
    // Aborts the running session; the finish event follows.
    void CancelFax();
    // 4 Class 1, 8 Class 2, 16 Class 2.0: the cached answer while a session
    // runs, else the modem is asked (the port must be open).
    int ModemClasses();
    bool Running() const;
    // The values at the engine's last message: they can be read between
    // messages without touching the engine's records while its thread runs.
    const FaxProgressValues& Progress() const { return progress_; }
    // Text of a progress code 4801..4843, else empty.
    static std::string ProgressText(int code);
    // Text of an error code; -8064 and 8064 read the same.
    static std::string ErrorText(int code);
    // The history lines a log code stands for now (what FaxLog writes).
    std::string LogLines(int code) const;

    base::MessageWindow& Window() { return window_; }

protected:
    VlAbstractFax(base::MessageLoop& loop, EngineKind kind);

    // No port: -1005; an output buffer below 8192 bytes: -3006. (The port has
    // no network device layer, so the check for one has nothing to catch.)
    void CheckPort() const;
    // A fresh engine context on the port's dispatcher with the shared options.
    FaxEngine& NewEngine();
    // Starts the engine, raising nothing: a session that ends at once reports
    // through the finish event like any other.
    void StartEngine();
    FaxEngine* Engine() const { return engine_.get(); }

    // Sets the kind's own options on a new engine.
    virtual void ApplyOptions(FaxEngine& engine) = 0;
    // The kind's own messages (next file, name, accept); 0 when not handled.
    virtual std::intptr_t OnKindMessage(const base::WindowMessage& message) = 0;
    virtual FaxLogFacts LogFacts() const;
    virtual FaxStatusInput StatusInput() const;
    // After the finish event's bookkeeping, before OnFaxFinish.
    virtual void SessionFinished() {}

    std::string faxFile_;

private:
    std::intptr_t OnMessage(const base::WindowMessage& message);
    void TakeProgress();
    void HandleStatus(unsigned flags);
    void HandleLog(int code);
    void HandleFinish(int code);
    void DropEngine();

    EngineKind kind_;
    base::MessageWindow window_;
    serial::VlComPort* comPort_ = nullptr;
    int portWatch_ = 0;
    int failureWatch_ = 0;
    FaxStatusModel* statusDisplay_ = nullptr;
    VlFaxLog* faxLog_ = nullptr;
    std::unique_ptr<FaxEngine> engine_;
    serial::VlBaseDispatcher* engineDispatcher_ = nullptr;
    FaxProgressValues progress_;
    int modemClasses_ = 0;
};

}  // namespace vl::fax
