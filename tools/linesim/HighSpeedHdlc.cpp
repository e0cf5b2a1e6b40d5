#include "HighSpeedHdlc.h"

#include <algorithm>
#include <cctype>
#include <charconv>

#include "SpandspApi.h"

namespace vl::linesim {

namespace {

constexpr std::uint8_t kDle = 0x10;
constexpr std::uint8_t kEtx = 0x03;
constexpr std::uint8_t kFinalBit = 0x10;
// Flags before the first frame, so the far receiver has its framing first.
constexpr int kPreambleFlags = 40;
// Flags the far receiver needs in a row before it takes frames.
constexpr int kFramingFlags = 5;
constexpr std::size_t kMaxFrame = 400;
// The weakest signal a receiver takes, in dBm0, as fax modems do: a long line
// (the loss fault) must not silence it.
constexpr float kSignalCutoff = -45.5f;

enum class Family { V27ter, V29, V17 };

struct Modulation {
    int code;
    Family family;
    int bps;
    bool shortTrain;
};

constexpr Modulation kModulations[] = {
    {24, Family::V27ter, 2400, false}, {48, Family::V27ter, 4800, false}, {72, Family::V29, 7200, false},
    {96, Family::V29, 9600, false},    {73, Family::V17, 7200, false},    {74, Family::V17, 7200, true},
    {97, Family::V17, 9600, false},    {98, Family::V17, 9600, true},     {121, Family::V17, 12000, false},
    {122, Family::V17, 12000, true},   {145, Family::V17, 14400, false},  {146, Family::V17, 14400, true},
};

const Modulation* Find(int code)
{
    for (const Modulation& m : kModulations)
        if (m.code == code)
            return &m;
    return nullptr;
}

}  // namespace

// One direction of one modulation, with the HDLC framer it feeds or drains.
struct HighSpeedHdlc::Modem {
    Family family = Family::V29;
    v17_tx_state_t* v17tx = nullptr;
    v29_tx_state_t* v29tx = nullptr;
    v27ter_tx_state_t* v27tx = nullptr;
    v17_rx_state_t* v17rx = nullptr;
    v29_rx_state_t* v29rx = nullptr;
    v27ter_rx_state_t* v27rx = nullptr;
    hdlc_tx_state_t* hdlcTx = nullptr;
    hdlc_rx_state_t* hdlcRx = nullptr;

    ~Modem()
    {
        if (v17tx) v17_tx_free(v17tx);
        if (v29tx) v29_tx_free(v29tx);
        if (v27tx) v27ter_tx_free(v27tx);
        if (v17rx) v17_rx_free(v17rx);
        if (v29rx) v29_rx_free(v29rx);
        if (v27rx) v27ter_rx_free(v27rx);
        if (hdlcTx) hdlc_tx_free(hdlcTx);
        if (hdlcRx) hdlc_rx_free(hdlcRx);
    }
};

std::optional<HighSpeedHdlc::Request> HighSpeedHdlc::Parse(std::string_view line)
{
    std::string upper;
    for (char c : line)
        if (c != ' ')
            upper += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    const bool transmit = upper.starts_with("AT+FTH=");
    if (!transmit && !upper.starts_with("AT+FRH="))
        return std::nullopt;
    const std::string_view digits = std::string_view(upper).substr(7);
    int code = 0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), code);
    if (ec != std::errc() || end != digits.data() + digits.size() || !Find(code))
        return std::nullopt;
    return Request{transmit, code};
}

HighSpeedHdlc::HighSpeedHdlc(HostSink toHost) : toHost_(std::move(toHost)) {}

HighSpeedHdlc::~HighSpeedHdlc() = default;

void HighSpeedHdlc::Start(const Request& request)
{
    const Modulation& m = *Find(request.code);
    if (request.transmit) {
        tx_ = std::make_unique<Modem>();
        tx_->family = m.family;
        tx_->hdlcTx = hdlc_tx_init(nullptr, 0, 1, 0, &Underflow, this);
        switch (m.family) {
        case Family::V17:
            tx_->v17tx = v17_tx_init(nullptr, m.bps, 0, &NextBit, this);
            v17_tx_restart(tx_->v17tx, m.bps, 0, m.shortTrain ? 1 : 0);
            break;
        case Family::V29:
            tx_->v29tx = v29_tx_init(nullptr, m.bps, 0, &NextBit, this);
            break;
        case Family::V27ter:
            tx_->v27tx = v27ter_tx_init(nullptr, m.bps, 0, &NextBit, this);
            break;
        }
        hdlc_tx_flags(tx_->hdlcTx, kPreambleFlags);
        incoming_.clear();
        frames_.clear();
        dle_ = frameOnLine_ = ending_ = endQueued_ = connectOwed_ = false;
        toHost_("\r\nCONNECT\r\n");
        return;
    }
    hostWaiting_ = true;
    if (rx_ && request.code == rxCode_) {
        DeliverWaiting();
        return;
    }
    // A new reception trains afresh: the short training of V.17 needs what
    // an earlier long one taught this receiver, and it heard none.
    rx_ = std::make_unique<Modem>();
    rxCode_ = request.code;
    rx_->family = m.family;
    rx_->hdlcRx = hdlc_rx_init(nullptr, 0, 1, kFramingFlags, &OnFrame, this);
    hdlc_rx_set_max_frame_len(rx_->hdlcRx, kMaxFrame);
    switch (m.family) {
    case Family::V17:
        rx_->v17rx = v17_rx_init(nullptr, m.bps, &PutBit, this);
        v17_rx_signal_cutoff(rx_->v17rx, kSignalCutoff);
        break;
    case Family::V29:
        rx_->v29rx = v29_rx_init(nullptr, m.bps, &PutBit, this);
        v29_rx_signal_cutoff(rx_->v29rx, kSignalCutoff);
        break;
    case Family::V27ter:
        rx_->v27rx = v27ter_rx_init(nullptr, m.bps, &PutBit, this);
        v27ter_rx_signal_cutoff(rx_->v27rx, kSignalCutoff);
        break;
    }
    carrierSeen_ = carrierGone_ = false;
    received_.clear();
}

void HighSpeedHdlc::FromHost(std::string_view bytes)
{
    if (rx_ && hostWaiting_ && !tx_) {
        // Any character ends the wait for a frame.
        hostWaiting_ = false;
        StopReceiving();
        toHost_("\r\nOK\r\n");
        return;
    }
    if (!tx_)
        return;
    for (char c : bytes) {
        const auto byte = static_cast<std::uint8_t>(c);
        if (dle_) {
            dle_ = false;
            if (byte == kEtx) {
                if (incoming_.empty() || ending_) {
                    ending_ = true;
                } else {
                    if ((incoming_.size() > 1 && (incoming_[1] & kFinalBit) != 0))
                        ending_ = true;
                    frames_.push_back(std::move(incoming_));
                    connectOwed_ = !ending_;
                }
                incoming_.clear();
                FeedTransmitter();
                continue;
            }
            if (byte != kDle)
                continue;  // other DLE pairs carry nothing here
        } else if (byte == kDle) {
            dle_ = true;
            continue;
        }
        if (incoming_.size() < kMaxFrame)
            incoming_.push_back(byte);
    }
}

void HighSpeedHdlc::FeedTransmitter()
{
    if (!frameOnLine_ && !frames_.empty()) {
        hdlc_tx_frame(tx_->hdlcTx, frames_.front().data(), frames_.front().size());
        frames_.pop_front();
        frameOnLine_ = true;
    }
    if (connectOwed_ && frames_.empty()) {
        connectOwed_ = false;
        toHost_("\r\nCONNECT\r\n");
    }
    if (ending_ && !frameOnLine_ && frames_.empty() && !endQueued_) {
        endQueued_ = true;
        hdlc_tx_frame(tx_->hdlcTx, nullptr, 0);
    }
}

void HighSpeedHdlc::Underflow(void* self)
{
    auto* me = static_cast<HighSpeedHdlc*>(self);
    me->frameOnLine_ = false;
    me->FeedTransmitter();
}

int HighSpeedHdlc::NextBit(void* self)
{
    return hdlc_tx_get_bit(static_cast<HighSpeedHdlc*>(self)->tx_->hdlcTx);
}

void HighSpeedHdlc::Transmit(std::span<std::int16_t> tx)
{
    const int len = static_cast<int>(tx.size());
    int made = 0;
    switch (tx_->family) {
    case Family::V17: made = v17_tx(tx_->v17tx, tx.data(), len); break;
    case Family::V29: made = v29_tx(tx_->v29tx, tx.data(), len); break;
    case Family::V27ter: made = v27ter_tx(tx_->v27tx, tx.data(), len); break;
    }
    made = std::max(made, 0);
    std::fill(tx.begin() + made, tx.end(), std::int16_t{0});
    if (made < len)
        EndTransmission();
}

void HighSpeedHdlc::EndTransmission()
{
    tx_.reset();
    toHost_("\r\nOK\r\n");
}

void HighSpeedHdlc::Receive(std::span<const std::int16_t> rx)
{
    std::vector<std::int16_t> heard(rx.begin(), rx.end());
    const int len = static_cast<int>(heard.size());
    switch (rx_->family) {
    case Family::V17: v17_rx(rx_->v17rx, heard.data(), len); break;
    case Family::V29: v29_rx(rx_->v29rx, heard.data(), len); break;
    case Family::V27ter: v27ter_rx(rx_->v27rx, heard.data(), len); break;
    }
}

void HighSpeedHdlc::PutBit(void* self, int bit)
{
    auto* me = static_cast<HighSpeedHdlc*>(self);
    if (bit >= 0) {
        hdlc_rx_put_bit(me->rx_->hdlcRx, bit);
        return;
    }
    // Only a trained carrier counts: noise can raise and drop the carrier
    // detector before the far end starts.
    if (bit == SIG_STATUS_TRAINING_SUCCEEDED) {
        me->carrierSeen_ = true;
    } else if (bit == SIG_STATUS_CARRIER_DOWN && me->carrierSeen_) {
        me->carrierGone_ = true;
        me->DeliverWaiting();
    }
}

void HighSpeedHdlc::OnFrame(void* self, const std::uint8_t* frame, int length, int ok)
{
    auto* me = static_cast<HighSpeedHdlc*>(self);
    if (length < 3 || !frame)
        return;  // a status, or too short to be a frame
    Received r;
    r.bytes.assign(frame, frame + length);
    r.bytes.resize(r.bytes.size() + 2);
    crc_itu16_append(r.bytes.data(), length);
    r.ok = ok != 0;
    me->received_.push_back(std::move(r));
    me->DeliverWaiting();
}

void HighSpeedHdlc::DeliverWaiting()
{
    if (!hostWaiting_ || !rx_)
        return;
    if (!received_.empty()) {
        const Received r = std::move(received_.front());
        received_.pop_front();
        std::string out = "\r\nCONNECT\r\n";
        for (std::uint8_t b : r.bytes) {
            out += static_cast<char>(b);
            if (b == kDle)
                out += static_cast<char>(kDle);
        }
        out += static_cast<char>(kDle);
        out += static_cast<char>(kEtx);
        out += r.ok ? "\r\nOK\r\n" : "\r\nERROR\r\n";
        hostWaiting_ = false;
        toHost_(out);
        return;
    }
    if (carrierGone_) {
        hostWaiting_ = false;
        StopReceiving();
        toHost_("\r\nNO CARRIER\r\n");
    }
}

void HighSpeedHdlc::StopReceiving()
{
    rx_.reset();
    received_.clear();
    rxCode_ = 0;
}

}  // namespace vl::linesim
