// A call through linesim: starts it with links to both ends in a fresh folder,
// runs efax on the ends, and collects the result line and every log.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "ChildProcess.h"
#include "FaxPages.h"
#include "support/TestSupport.h"

namespace vl::test {

inline constexpr auto kCallLimit = std::chrono::seconds(90);

class LineFixture : public ::testing::Test {
protected:
    void TearDown() override;

    // Starts linesim with `args` and waits for its READY line.
    void StartLine(std::vector<std::string> args);
    // Runs efax on end 'a' or 'b' with the given arguments after "-d LINK".
    std::unique_ptr<ChildProcess> Efax(char end, const std::vector<std::string>& args);
    // efax's exit status once it ends (within the call limit).
    int EfaxStatus(ChildProcess& efax);
    // The JSON line linesim prints when the call is over.
    std::string CallResult();

    std::string File(const std::string& name) const { return (dir_.path() / name).string(); }
    std::string Logs() const;

    // How long a call may take; a test that sends long pages sets a longer
    // one before it starts the line.
    std::chrono::seconds callLimit_ = kCallLimit;
    TempDir dir_;
    std::unique_ptr<ChildProcess> linesim_;
    std::vector<std::string> logs_;
};

// The text of a field of a one-line JSON object ("" when absent); strings
// lose their quotes.
std::string JsonField(const std::string& json, const std::string& key);

}  // namespace vl::test
