// The fax channel between two emulated Class 2 modems. It carries the T.30
// session as messages instead of audio, each arriving after the time its
// signals take on a real line; page data moves at the negotiated bit rate.
// Side 0 and side 1 are the two ends; each direction is one queue, so a
// message waits until the one before it has been sent.
#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "Class2Params.h"

namespace vl::linesim {

enum class T30Kind {
    Dis,          // answerer's capabilities and CSI (after its answer tone)
    Dcs,          // caller's choice and TSI, with the training that follows
    Cfr,          // training was good
    PageStart,    // the page carrier came up
    PageData,     // page bytes in line order
    PageEnd,      // the page carrier went down after the last line
    PostPage,     // code: 0 MPS, 1 EOM, 2 EOP
    PostPageReply,// code: 1 MCF, 2 RTN, 3 RTP
    Dcn,
    CarrierLost,  // the line dropped; nothing more will arrive
};

struct T30Message {
    T30Kind kind = T30Kind::Dis;
    Class2Params params;  // Dis, Dcs
    std::string id;       // Dis: CSI, Dcs: TSI
    std::string data;     // PageData
    int code = 0;         // PostPage, PostPageReply
    std::int64_t dueUs = 0;
};

// Noise at or above this level (dBm0, against a -10 dBm0 signal: a signal to
// noise ratio under about 20 dB, where the high-speed fax modems fail) spoils
// the page lines, and the receiver answers RTN.
inline constexpr double kNoiseSpoilsPagesDb = -30.0;

class Class2Link {
public:
    Class2Link();

    // Faults. The line drops during page n+1 of the session (n pages get through).
    void DropAfterPage(int n);
    void SetNoiseDb(double db);
    // The first n pages to arrive are hit on the line: their receiver finds them bad.
    void SpoilFirstPages(int n);
    // The far end is a person: no message ever reaches either modem.
    void SetFarEndIsVoice(bool voice);

    // What the modems use.
    void Advance(std::int64_t nowMs);
    // A control message from `side`, taking `airMs` on the line.
    void Send(int side, T30Message msg, int airMs);
    // Page bytes from `side` at `bitRate`.
    void SendPageData(int side, std::string_view bytes, int bitRate);
    // Page bytes from `side` not yet across the line.
    std::size_t Backlog(int side) const;
    // The next message for `side` that has arrived by now.
    std::optional<T30Message> Receive(int side);
    // A modem going on hook: nothing queued for it is wanted any more.
    void OnHook(int side);
    // A receiving modem's verdict on the page that just ended: true when it is bad.
    bool PageSpoiled();
    // The drop fault struck.
    bool Dropped() const { return dropped_; }

private:
    struct Direction {
        std::deque<T30Message> queue;
        std::int64_t busyUntilUs = 0;
        // Page bytes on their way and when each lot is through, kept apart
        // from the queue: a sender takes as long on a dead line as on a live one.
        std::deque<std::pair<std::int64_t, std::size_t>> onAir;
        std::size_t backlog = 0;
        int pageEnds = 0;
    };
    std::int64_t TakeAirtime(Direction& d, std::int64_t airUs);
    void Enqueue(Direction& d, T30Message msg, std::int64_t airUs);
    void Drop(int fromSide);

    Direction dir_[2];  // dir_[s]: messages from side s to the other side
    std::int64_t nowUs_ = 0;
    int dropAfterPage_ = -1;
    bool dropped_ = false;
    double noiseDb_ = -100.0;
    int pagesToSpoil_ = 0;
    bool voice_ = false;
};

}  // namespace vl::linesim
