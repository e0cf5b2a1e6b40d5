// A fax engine on a real serial device (a fake modem's pty or a line
// simulator's link) with a component window on the test thread's message
// loop: it hands out the queued faxes and records what the engine reports.
#pragma once

#include <chrono>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/MessageWindow.h"
#include "fax/FaxEngine.h"
#include "serial/VlBaseDispatcher.h"

namespace vl::test {

struct QueuedFax {
    std::string phone;
    std::string faxFile;
    std::string coverFile;
};

class EngineHarness {
public:
    // Opens `device` at 19200 bit/s (the port's threads start with it); the
    // lock file goes to `lockFolder`.
    EngineHarness(const std::string& device, const std::string& lockFolder);
    ~EngineHarness();

    bool PortOpen() const { return openResult == 0; }
    fax::FaxEngine& MakeSender(std::string_view stationId);
    void Queue(QueuedFax fax) { faxes.push_back(std::move(fax)); }
    // Runs the loop until the finish message; its code, or nothing on time-out.
    std::optional<int> RunToFinish(std::chrono::milliseconds limit);

    base::MessageLoop loop;
    std::unique_ptr<serial::VlBaseDispatcher> port;
    std::unique_ptr<base::MessageWindow> window;
    std::unique_ptr<fax::FaxEngine> engine;
    int openResult = -1;

    std::deque<QueuedFax> faxes;
    std::vector<int> logs;
    std::vector<int> errors;
    std::vector<int> progress;  // the progress code at each status message
    std::vector<unsigned> statusFlags;
    std::optional<int> finished;

private:
    std::intptr_t OnMessage(const base::WindowMessage& message);
};

}  // namespace vl::test
