// A pseudo terminal for serial tests: the slave stands in for a serial
// device, the master is the far end of the line.
#pragma once

#include <chrono>
#include <string>
#include <string_view>

namespace vl::test {

class PtyPair {
public:
    // Opens the master (non-blocking) and keeps one raw-mode handle on the
    // slave, so the master never sees the line hang up between the openers
    // under test.
    PtyPair();
    ~PtyPair();
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    int Master() const { return master_; }
    const std::string& SlavePath() const { return slavePath_; }

    // Writes every byte into the line; throws when the line takes none for a
    // second.
    void WriteMaster(std::string_view bytes);
    // Reads until `count` bytes arrived or `timeout` passed.
    std::string ReadMaster(std::size_t count, std::chrono::milliseconds timeout);
    // The speed in bit/s the serial side has set for the line (0 when none).
    int LineSpeed() const;
    // Hangs the line up for whoever holds the slave.
    void CloseMaster();

private:
    int master_ = -1;
    int slave_ = -1;
    std::string slavePath_;
};

}  // namespace vl::test
