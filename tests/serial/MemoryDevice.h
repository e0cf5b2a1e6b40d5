// An in-memory serial device for deterministic dispatcher tests: input is
// fed by the test, output is captured, modem lines and line errors are set
// by hand, and writes can be held back to keep output queued.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "serial/SerialDevice.h"

namespace vl::test {

class MemoryDevice : public serial::SerialDevice {
public:
    // --- Test side ---
    void FailOpenWith(int code);
    // Bytes arriving on the line (raises the received character event).
    void Feed(std::string_view bytes);
    // Sets the ms* signals, raising the events of those that changed.
    void SetModemStatus(std::uint8_t signals);
    // Adds le* errors, raising the error (or break) event.
    void AddErrors(std::uint8_t errors);
    // While held, Write blocks (with nothing written) until released or cancelled.
    void HoldWrites(bool hold);
    // Waits until a Write is blocked in a hold.
    bool WaitWriteBlocked(std::chrono::milliseconds timeout);
    // Waits until at least `count` bytes were written.
    bool WaitOutput(std::size_t count, std::chrono::milliseconds timeout);
    std::string Output();
    void FailEscapes(bool fail);
    int SetSettingsCalls();
    // Bytes written when the settings were last changed.
    std::size_t OutputAtLastSettings();
    serial::LineSettings Settings();
    bool Dtr();
    int ReceivePurges();

    // --- Device side ---
    int Open(const std::string& path) override;
    void Close() override;
    bool IsOpen() const override;
    int SetQueueSizes(int inSize, int outSize) override;
    int GetSettings(serial::LineSettings& settings) override;
    int SetSettings(const serial::LineSettings& settings) override;
    int SetDtr(bool on) override;
    int SetRts(bool on) override;
    int Read(std::span<std::uint8_t> buffer) override;
    int Write(std::span<const std::uint8_t> data) override;
    void CancelWrite() override;
    int WaitEvent(std::uint32_t mask, std::uint32_t& events) override;
    void WakeWait() override;
    std::uint8_t ModemStatus() override;
    std::uint8_t TakeErrors() override;
    int ReceiveCount() override;
    int Purge(bool receive, bool transmit) override;

private:
    void Raise(std::uint32_t events);

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    int openFailure_ = 0;
    bool open_ = false;
    std::deque<std::uint8_t> input_;
    std::string output_;
    std::uint32_t pendingEvents_ = 0;
    bool wake_ = false;
    bool hold_ = false;
    bool writeBlocked_ = false;
    bool cancel_ = false;
    bool failEscapes_ = false;
    std::uint8_t signals_ = serial::msCts | serial::msDsr | serial::msDcd;
    std::uint8_t errors_ = 0;
    serial::LineSettings settings_;
    int setSettingsCalls_ = 0;
    std::size_t outputAtSettings_ = 0;
    int receivePurges_ = 0;
    bool dtr_ = false;
};

}  // namespace vl::test
