#include "ScriptedClass1Modem.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdio>
#include <system_error>

#include "fax/ControlBytes.h"

namespace vl::fax::test {
namespace {

std::string Escaped(const std::vector<std::uint8_t>& bytes) {
    std::string out;
    for (const std::uint8_t b : bytes) {
        out.push_back(static_cast<char>(b));
        if (b == kDle)
            out.push_back(static_cast<char>(kDle));
    }
    out.push_back(static_cast<char>(kDle));
    out.push_back(static_cast<char>(kEtx));
    return out;
}

}  // namespace

std::string FrameReply(std::uint8_t fcf, const std::vector<std::uint8_t>& info, bool final) {
    std::vector<std::uint8_t> frame = {0xFF, static_cast<std::uint8_t>(final ? 0x13 : 0x03), fcf};
    frame.insert(frame.end(), info.begin(), info.end());
    return "\r\nCONNECT\r\n" + Escaped(frame) + "\r\nOK\r\n";
}

std::string DataReply(const std::vector<std::uint8_t>& data) {
    return "\r\nCONNECT\r\n" + Escaped(data) + "\r\nNO CARRIER\r\n";
}

ScriptedClass1Modem::ScriptedClass1Modem() {
    stopFd_ = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (stopFd_ < 0)
        throw std::system_error(errno, std::generic_category(), "eventfd");
    thread_ = std::thread([this] { Run(); });
}

ScriptedClass1Modem::~ScriptedClass1Modem() {
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t n = write(stopFd_, &one, sizeof one);
    thread_.join();
    close(stopFd_);
}

void ScriptedClass1Modem::Script(const std::string& input, std::vector<std::string> replies) {
    std::lock_guard guard(mutex_);
    script_[input] = std::deque<std::string>(replies.begin(), replies.end());
}

void ScriptedClass1Modem::Send(std::string_view bytes) { pty_.WriteMaster(bytes); }

std::vector<ModemInput> ScriptedClass1Modem::Inputs() const {
    std::lock_guard guard(mutex_);
    return inputs_;
}

std::vector<std::string> ScriptedClass1Modem::Texts() const {
    std::vector<std::string> texts;
    for (const ModemInput& input : Inputs())
        texts.push_back(input.text);
    return texts;
}

bool ScriptedClass1Modem::WaitFor(const std::string& text, int count, std::chrono::milliseconds timeout) const {
    std::unique_lock lock(mutex_);
    return arrived_.wait_for(lock, timeout, [&] {
        int seen = 0;
        for (const ModemInput& input : inputs_)
            seen += input.text == text ? 1 : 0;
        return seen >= count;
    });
}

void ScriptedClass1Modem::Run() {
    for (;;) {
        std::array<pollfd, 2> fds = {pollfd{stopFd_, POLLIN, 0}, pollfd{pty_.Master(), POLLIN, 0}};
        if (poll(fds.data(), fds.size(), -1) < 0 && errno != EINTR)
            return;
        if ((fds[0].revents & POLLIN) != 0)
            return;
        if ((fds[1].revents & POLLIN) == 0)
            continue;
        std::uint8_t buffer[512];
        const ssize_t got = read(pty_.Master(), buffer, sizeof buffer);
        for (ssize_t i = 0; i < got; ++i) {
            const std::uint8_t b = buffer[i];
            if (inData_) {
                // Training or page data after "AT+FTM=": no commands in it.
                if (afterDle_)
                    inData_ = b != kEtx;
                afterDle_ = !afterDle_ && b == kDle;
                continue;
            }
            if (inFrame_) {
                if (afterDle_) {
                    afterDle_ = false;
                    if (b == kEtx) {
                        inFrame_ = false;
                        char name[16];
                        std::snprintf(name, sizeof name, "FRAME %02X", frame_.size() > 2 ? frame_[2] : 0);
                        Arrived({frame_.empty() ? "DLE ETX" : name, frame_});
                        continue;
                    }
                }
                else if (b == kDle) {
                    afterDle_ = true;
                    continue;
                }
                frame_.push_back(b);
                continue;
            }
            if (b == 0xFF && line_.empty()) {
                inFrame_ = true;
                frame_ = {b};
                continue;
            }
            if (b == kDle && line_.empty()) {
                // DLE ETX alone ends a transmission of frames at page speed.
                inFrame_ = true;
                afterDle_ = true;
                frame_.clear();
                continue;
            }
            if (b == '\n')
                continue;
            if (b != '\r') {
                line_.push_back(static_cast<char>(b));
                continue;
            }
            if (!line_.empty()) {
                inData_ = line_.rfind("AT+FTM=", 0) == 0 && line_ != "AT+FTM=?";
                Arrived({line_, {}});
            }
            line_.clear();
        }
    }
}

void ScriptedClass1Modem::Arrived(ModemInput input) {
    std::string reply = "\r\nOK\r\n";
    {
        std::lock_guard guard(mutex_);
        auto found = script_.find(input.text);
        if (found != script_.end() && !found->second.empty()) {
            reply = found->second.front();
            if (found->second.size() > 1)
                found->second.pop_front();
        }
        inputs_.push_back(std::move(input));
    }
    arrived_.notify_all();
    try {
        std::size_t at = 0;
        for (std::size_t pause; (pause = reply.find(kPause, at)) != std::string::npos;
             at = pause + kPause.size()) {
            pty_.WriteMaster(std::string_view(reply).substr(at, pause - at));
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
        }
        pty_.WriteMaster(std::string_view(reply).substr(at));
    } catch (const std::exception&) {
        // The side under test went away; nothing more to say.
    }
}

std::vector<std::uint8_t> StationIdInfo(std::string_view id) {
    std::vector<std::uint8_t> info(20 - id.size(), ' ');
    info.insert(info.end(), id.rbegin(), id.rend());
    return info;
}

}  // namespace vl::fax::test
