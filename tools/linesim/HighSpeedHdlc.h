// Class 1 frames at page-data speeds: "AT+FTH=<mod>" and "AT+FRH=<mod>" with
// a V.27ter, V.29 or V.17 modulation, which the modem's own interpreter
// refuses (it knows frames only at 300 bit/s). Error correction sends its
// page data so.
//
// Sending: "CONNECT" at once; every frame the computer ends with DLE ETX is
// queued and answered with "CONNECT" while no more than one waits; a frame
// with the final bit, or DLE ETX alone, ends the transmission: the carrier
// stops after the frames, then "OK".
// Receiving: "CONNECT", the frame with its check bytes, DLE doubled, DLE ETX,
// then "OK" (or "ERROR" for a frame with a bad check); the next frames wait
// for the next "AT+FRH=<mod>". Once the carrier has gone and no frame waits,
// that command answers "NO CARRIER". Any character aborts a reception ("OK").
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vl::linesim {

class HighSpeedHdlc {
public:
    // What "AT+FTH=" or "AT+FRH=" with a page-data modulation asks.
    struct Request {
        bool transmit = false;
        int code = 0;  // 24, 48, 72, 73, 74, 96, 97, 98, 121, 122, 145, 146
    };
    // A command line (without its CR) this part takes, if it is one.
    static std::optional<Request> Parse(std::string_view line);

    using HostSink = std::function<void(std::string_view)>;
    explicit HighSpeedHdlc(HostSink toHost);
    ~HighSpeedHdlc();

    void Start(const Request& request);
    // Transmitting, or a reception the computer still waits on or whose
    // carrier is up.
    bool Transmitting() const { return tx_ != nullptr; }
    bool Receiving() const { return rx_ != nullptr; }
    bool HostWaiting() const { return hostWaiting_; }
    // The computer moved on to another command: a reception still on ends.
    void StopReceiving();
    // Bytes the computer wrote while a transmission or reception is on.
    void FromHost(std::string_view bytes);
    // One step of line audio: fills all of `tx` while transmitting.
    void Transmit(std::span<std::int16_t> tx);
    void Receive(std::span<const std::int16_t> rx);

    struct Modem;  // the modulation's spandsp modem (HighSpeedHdlc.cpp)

private:
    static int NextBit(void* self);
    static void Underflow(void* self);
    static void PutBit(void* self, int bit);
    static void OnFrame(void* self, const std::uint8_t* frame, int length, int ok);
    void FeedTransmitter();
    void EndTransmission();
    void DeliverWaiting();

    HostSink toHost_;
    // Sending.
    std::unique_ptr<Modem> tx_;
    std::vector<std::uint8_t> incoming_;  // the frame the computer is writing
    bool dle_ = false;
    std::deque<std::vector<std::uint8_t>> frames_;
    bool frameOnLine_ = false;
    bool ending_ = false;         // no frames after those queued
    bool endQueued_ = false;      // the HDLC transmitter was told
    bool connectOwed_ = false;    // a "CONNECT" for the next frame is due once one leaves
    // Receiving.
    std::unique_ptr<Modem> rx_;
    int rxCode_ = 0;
    bool hostWaiting_ = false;
    bool carrierSeen_ = false;
    bool carrierGone_ = false;
    struct Received {
        std::vector<std::uint8_t> bytes;
        bool ok = false;
    };
    std::deque<Received> received_;
};

}  // namespace vl::linesim
