#include "FakeModem.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdint>
#include <system_error>

#include "base/TextCase.h"

namespace vl::test {

FakeModem::FakeModem(FakeModemScript script) : script_(std::move(script)) {
    stopFd_ = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (stopFd_ < 0) throw std::system_error(errno, std::generic_category(), "eventfd");
    thread_ = std::thread([this] { Run(); });
}

FakeModem::~FakeModem() {
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t n = write(stopFd_, &one, sizeof one);
    thread_.join();
    close(stopFd_);
}

void FakeModem::SetReply(const std::string& command, const std::string& reply) {
    std::lock_guard guard(mutex_);
    script_.replies[command] = reply;
}

void FakeModem::Send(std::string_view bytes) { Emit(bytes); }

std::string FakeModem::Received() const {
    std::lock_guard guard(mutex_);
    return received_;
}

std::vector<std::string> FakeModem::Commands() const {
    std::lock_guard guard(mutex_);
    return commands_;
}

std::vector<int> FakeModem::CommandSpeeds() const {
    std::lock_guard guard(mutex_);
    return commandSpeeds_;
}

bool FakeModem::WaitForCommands(std::size_t count, std::chrono::milliseconds timeout) const {
    std::unique_lock lock(mutex_);
    return commandArrived_.wait_for(lock, timeout, [&] { return commands_.size() >= count; });
}

void FakeModem::Run() {
    for (;;) {
        std::array<pollfd, 2> fds = {pollfd{stopFd_, POLLIN, 0}, pollfd{pty_.Master(), POLLIN, 0}};
        if (poll(fds.data(), fds.size(), -1) < 0 && errno != EINTR) return;
        if ((fds[0].revents & POLLIN) != 0) return;
        if ((fds[1].revents & POLLIN) == 0) continue;
        char buffer[512];
        const ssize_t got = read(pty_.Master(), buffer, sizeof buffer);
        if (got <= 0) continue;
        const std::string_view bytes(buffer, static_cast<std::size_t>(got));
        bool echo = false;
        std::vector<std::string> complete;
        {
            std::lock_guard guard(mutex_);
            received_.append(bytes);
            echo = script_.echo && !script_.silent;
            for (const char c : bytes) {
                if (c != '\r') {
                    line_ += c;
                    continue;
                }
                // A line feed the sender put after the previous CR starts no command.
                const std::size_t start = line_.find_first_not_of("\n");
                if (start != std::string::npos) complete.push_back(line_.substr(start));
                line_.clear();
            }
            commands_.insert(commands_.end(), complete.begin(), complete.end());
            commandSpeeds_.insert(commandSpeeds_.end(), complete.size(), pty_.LineSpeed());
        }
        if (!complete.empty()) commandArrived_.notify_all();
        try {
            if (echo) Emit(bytes);
            for (const std::string& command : complete) Answer(command);
        } catch (const std::exception&) {
            // The side under test stopped reading and the line filled up;
            // like a real modem's, the rest of the reply is lost.
        }
    }
}

void FakeModem::Answer(const std::string& command) {
    std::string reply;
    {
        std::lock_guard guard(mutex_);
        if (script_.silent) return;
        if (script_.responder) {
            reply = script_.responder(command);
        } else {
            reply = script_.unknownReply;
            for (const auto& [known, answer] : script_.replies) {
                if (base::EqualsNoCase(known, command)) reply = answer;
            }
        }
        reply = script_.garbage + reply;
    }
    Emit(reply);
}

void FakeModem::Emit(std::string_view bytes) {
    std::chrono::microseconds delay;
    {
        std::lock_guard guard(mutex_);
        delay = script_.byteDelay;
    }
    std::lock_guard guard(sendMutex_);
    if (delay.count() == 0) {
        pty_.WriteMaster(bytes);
        return;
    }
    for (const char c : bytes) {
        std::this_thread::sleep_for(delay);
        pty_.WriteMaster(std::string_view(&c, 1));
    }
}

}  // namespace vl::test
