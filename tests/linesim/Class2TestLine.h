// Two emulated Class 2 modems on one Class2Link, with a stand-in exchange and
// a scripted computer on each side, all in simulated time.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <utility>

#include "Class2Link.h"
#include "Class2Modem.h"
#include "Class2PageData.h"

namespace vl::linesim::test {

enum class LineFault { None, Busy, NoDialtone, NoAnswer };

class TestLine;

// One side's computer: what the modem said, and what the computer dials or answers.
class TestHost : public Class2Surroundings {
public:
    TestHost(TestLine& line, int side) : line_(line), side_(side) {}
    void ToComputer(std::string_view bytes) override { out += bytes; }
    void PlaceCall(const std::string& dialString) override;
    void AnswerCall() override;
    void HangUpCall() override;

    std::string out;        // everything the modem sent
    std::size_t seen = 0;   // how far the script has read `out`
    std::string dialed;

private:
    TestLine& line_;
    int side_;
};

class TestLine {
public:
    TestLine(Class2Dialect a, Class2Dialect b) {
        modem_[0] = std::make_unique<Class2Modem>(a, host_[0], link, 0);
        modem_[1] = std::make_unique<Class2Modem>(b, host_[1], link, 1);
    }

    Class2Modem& Modem(int side) { return *modem_[side]; }
    TestHost& Host(int side) { return host_[side]; }
    std::int64_t Now() const { return now_; }

    // The computer on `side` writes bytes to its modem.
    void Write(int side, std::string_view bytes) { modem_[side]->FromComputer(bytes); }
    // Steps until `side`'s modem has said `text` after what was read so far;
    // returns what came before it and moves past it. Fails after `limitMs`.
    std::string WaitFor(int side, const std::string& text, std::int64_t limitMs = 60000) {
        TestHost& h = host_[side];
        const std::int64_t end = now_ + limitMs;
        for (;;) {
            const std::size_t at = h.out.find(text, h.seen);
            if (at != std::string::npos) {
                std::string before = h.out.substr(h.seen, at - h.seen);
                h.seen = at + text.size();
                return before;
            }
            if (now_ >= end) {
                ADD_FAILURE() << "side " << side << " never said " << Printable(text) << "; it said "
                              << Printable(h.out.substr(h.seen));
                return {};
            }
            StepOnce();
        }
    }
    // Types a command line and waits for its final result.
    std::string Command(int side, const std::string& cmd, const std::string& result = "\r\nOK\r\n",
                        std::int64_t limitMs = 60000) {
        Write(side, cmd + "\r");
        return WaitFor(side, result, limitMs);
    }
    void StepFor(std::int64_t ms) {
        const std::int64_t end = now_ + ms;
        while (now_ < end) StepOnce();
    }
    void StepOnce() {
        now_ += 20;
        while (!events_.empty()) {
            auto [side, event] = events_.front();
            events_.pop_front();
            modem_[side]->OnCall(event);
        }
        if (ringing_ && now_ >= nextRingMs_) {
            modem_[1 - caller_]->OnCall(CallEvent::Ring);
            nextRingMs_ = now_ + 6000;
        }
        modem_[0]->Step(now_);
        modem_[1]->Step(now_);
    }

    static std::string Printable(const std::string& s) {
        std::string out;
        for (unsigned char c : s) {
            if (c >= 0x20 && c < 0x7f) {
                out += static_cast<char>(c);
            } else {
                char hex[8];
                std::snprintf(hex, sizeof hex, "<%02X>", c);
                out += hex;
            }
        }
        return out;
    }

    // The exchange.
    void Dial(int side) {
        caller_ = side;
        switch (fault) {
        case LineFault::Busy: events_.push_back({side, CallEvent::Busy}); return;
        case LineFault::NoDialtone: events_.push_back({side, CallEvent::NoDialtone}); return;
        case LineFault::NoAnswer: events_.push_back({side, CallEvent::NoAnswer}); return;
        case LineFault::None: break;
        }
        events_.push_back({side, CallEvent::Alerting});
        ringing_ = true;
        nextRingMs_ = now_ + 1000;
    }
    void Answer(int side) {
        if (!ringing_ || side == caller_) return;
        ringing_ = false;
        up_ = true;
        events_.push_back({caller_, CallEvent::Connected});
        events_.push_back({side, CallEvent::Connected});
    }
    void HangUp(int side) {
        if (ringing_ || up_) events_.push_back({1 - side, CallEvent::HungUp});
        ringing_ = false;
        up_ = false;
    }

    Class2Link link;
    LineFault fault = LineFault::None;

private:
    TestHost host_[2]{{*this, 0}, {*this, 1}};
    std::unique_ptr<Class2Modem> modem_[2];
    std::deque<std::pair<int, CallEvent>> events_;
    std::int64_t now_ = 0;
    std::int64_t nextRingMs_ = 0;
    int caller_ = 0;
    bool ringing_ = false;
    bool up_ = false;
};

inline void TestHost::PlaceCall(const std::string& dialString) {
    dialed = dialString;
    line_.Dial(side_);
}
inline void TestHost::AnswerCall() { line_.Answer(side_); }
inline void TestHost::HangUpCall() { line_.HangUp(side_); }

// Page bytes in line order, with every byte the DLE shielding cares about.
inline std::string TestPage(int seed, std::size_t size) {
    std::string page;
    std::uint32_t x = 2463534242u + static_cast<std::uint32_t>(seed);
    for (std::size_t i = 0; i < size; ++i) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        page += static_cast<char>(i % 50 == 0 ? kDle : x & 0xff);
    }
    return page + std::string(3, kDle) + kEtx;
}

inline std::string Shielded(const std::string& page) { return ShieldDle(page) + kDle + kEtx; }

// Steps until the page data from the modem on `side` has ended; returns it unshielded.
inline std::string ReadPage(TestLine& t, int side) {
    PageDataReader reader;
    std::string data;
    for (int i = 0; i < 10000 && !reader.Ended(); ++i) {
        TestHost& h = t.Host(side);
        h.seen += reader.Take(std::string_view(h.out).substr(h.seen), data);
        if (!reader.Ended()) t.StepOnce();
    }
    EXPECT_TRUE(reader.Ended()) << "no DLE ETX from side " << side;
    return data;
}

// Both computers in fax mode; `sender` dials, the other answers; returns once
// the call is in phase B with the DIS reported to the caller.
inline void ConnectFax(TestLine& t, Class2Dialect a, Class2Dialect b, int sender) {
    const Class2Dialect d[2] = {a, b};
    for (int side = 0; side < 2; ++side) {
        t.Command(side, std::string("AT+FCLASS=") + (d[side] == Class2Dialect::Class2 ? "2" : "2.0"));
    }
    t.Write(sender, "ATD1\r");
    t.WaitFor(1 - sender, "RING");
    t.Write(1 - sender, "ATA\r");
    t.WaitFor(sender, "\r\nOK\r\n");
}

}  // namespace vl::linesim::test
