// A pseudo terminal pair for the serial benchmark: the slave stands in for the
// modem's device, the master is the far end of the line.
#pragma once

#include <string>

namespace vl::bench {

class BenchPty {
public:
    BenchPty();  // throws std::runtime_error when no pty can be had
    ~BenchPty();
    BenchPty(const BenchPty&) = delete;
    BenchPty& operator=(const BenchPty&) = delete;

    int Master() const { return master_; }
    const std::string& SlavePath() const { return slavePath_; }

private:
    int master_ = -1;
    int slaveHold_ = -1;  // keeps the line up between the openers under test
    std::string slavePath_;
};

}  // namespace vl::bench
