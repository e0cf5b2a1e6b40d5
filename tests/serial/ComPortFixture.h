// A comm port on a scripted modem: COM7 of a private settings file names the
// modem's pty, and lock files go to a private folder.
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <string>

#include "FakeModem.h"
#include "base/MessageWindow.h"
#include "serial/VlComPort.h"
#include "support/TestSupport.h"

namespace vl::test {

inline constexpr int kModemCom = 7;

class ComPortFixture {
public:
    explicit ComPortFixture(FakeModemScript script = OkScript());

    static FakeModemScript OkScript();
    // Dispatchers on the tty device that keep their lock files in `dir`.
    serial::VlComPort::DispatcherFactory Factory() const;
    // Maps COM`number` to `device` in the settings file.
    void MapCom(int number, const std::string& device);
    std::string LockFile() const;
    // Runs the loop until `done` or `timeout`; false on time-out.
    bool PumpUntil(const std::function<bool()>& done,
                   std::chrono::milliseconds timeout = std::chrono::milliseconds(5000));

    TempDir dir;
    FakeModem modem;
    base::MessageLoop loop;
    std::unique_ptr<serial::VlComPort> port;
};

}  // namespace vl::test
