// The platform operations the port dispatcher needs from a serial device.
// Every call answers 0 (or a count) or a negative code.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>

namespace vl::serial {

enum class Parity { None, Odd, Even, Mark, Space };
enum class DtrControl { Disable, Enable, Handshake };
enum class RtsControl { Disable, Enable, Handshake, Toggle };

// The device control block: framing, and flow control in both directions.
struct LineSettings {
    int baud = 19200;
    Parity parity = Parity::None;
    int dataBits = 8;
    // 1 or 2; kOneAndHalfStopBits with 5 data bits.
    int stopBits = 1;
    bool outxCtsFlow = false;  // send only while CTS is on
    bool outxDsrFlow = false;  // send only while DSR is on
    DtrControl dtrControl = DtrControl::Enable;
    RtsControl rtsControl = RtsControl::Enable;
    bool outX = false;  // Xon/Xoff on what we send (the far end may stop us)
    bool inX = false;   // Xon/Xoff on what we receive (we stop the far end)
    int xonLim = 0;     // receive level at which Xon is sent
    int xoffLim = 0;    // free receive space at which Xoff is sent
    std::uint8_t xonChar = 17;
    std::uint8_t xoffChar = 19;

    bool operator==(const LineSettings&) const = default;
};
inline constexpr int kOneAndHalfStopBits = 15;

// Device events, as the dispatcher's event mask names them.
inline constexpr std::uint32_t evRxChar = 0x0001;
inline constexpr std::uint32_t evCts = 0x0008;
inline constexpr std::uint32_t evDsr = 0x0010;
inline constexpr std::uint32_t evRlsd = 0x0020;
inline constexpr std::uint32_t evBreak = 0x0040;
inline constexpr std::uint32_t evErr = 0x0080;
inline constexpr std::uint32_t evRing = 0x0100;
inline constexpr std::uint32_t evRingTrailing = 0x2000;

// Modem signals as the high nibble of the dispatcher's modem status byte.
inline constexpr std::uint8_t msCts = 0x10;
inline constexpr std::uint8_t msDsr = 0x20;
inline constexpr std::uint8_t msRing = 0x40;
inline constexpr std::uint8_t msDcd = 0x80;

// Line error bits as the dispatcher accumulates them.
inline constexpr std::uint8_t leReceiveOverrun = 1;  // the driver's buffer overflowed
inline constexpr std::uint8_t leOverrun = 2;         // the UART lost a character
inline constexpr std::uint8_t leParity = 4;
inline constexpr std::uint8_t leFraming = 8;
inline constexpr std::uint8_t leBreak = 16;

class SerialDevice {
public:
    virtual ~SerialDevice() = default;

    // Opens the device for this process alone (other openers, in this process
    // or others, are refused while it stays open).
    virtual int Open(const std::string& path) = 0;
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;

    virtual int SetQueueSizes(int inSize, int outSize) = 0;
    virtual int GetSettings(LineSettings& settings) = 0;
    virtual int SetSettings(const LineSettings& settings) = 0;
    virtual int SetDtr(bool on) = 0;
    virtual int SetRts(bool on) = 0;

    // Never blocks: answers the bytes that were waiting (0 when none).
    virtual int Read(std::span<std::uint8_t> buffer) = 0;
    // Blocks until every byte is handed to the driver or CancelWrite is
    // called (from another thread); answers the bytes written.
    virtual int Write(std::span<const std::uint8_t> data) = 0;
    virtual void CancelWrite() = 0;

    // Blocks until one of the events in `mask` happens (answering them in
    // `events`) or WakeWait is called (answering `events` = 0).
    virtual int WaitEvent(std::uint32_t mask, std::uint32_t& events) = 0;
    virtual void WakeWait() = 0;

    // CTS, DSR, RI and DCD as the ms* bits.
    virtual std::uint8_t ModemStatus() = 0;
    // The le* errors seen since the last call.
    virtual std::uint8_t TakeErrors() = 0;
    // Bytes waiting to be read in the driver.
    virtual int ReceiveCount() = 0;
    virtual int Purge(bool receive, bool transmit) = 0;
};

}  // namespace vl::serial
