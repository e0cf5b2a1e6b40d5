#include "LineFixture.h"

#include <iostream>
#include <regex>

namespace vl::test {

void LineFixture::StartLine(std::vector<std::string> args) {
    for (const char* extra : {"--link-a", "--link-b"}) {
        args.push_back(extra);
        args.push_back(File(extra[7] == 'a' ? "ttyA" : "ttyB"));
    }
    // linesim gives up a little before the test stops waiting for it.
    const auto lineLimit = callLimit_ - std::chrono::seconds(5);
    args.insert(args.end(), {"--timeout", std::to_string(lineLimit.count()), "--verbose"});
    logs_.push_back("linesim.log");
    linesim_ = std::make_unique<ChildProcess>(VL_LINESIM_PATH, args, File("linesim.log"), true);
    const auto ready = linesim_->ReadLine(std::chrono::seconds(10));
    ASSERT_TRUE(ready.has_value()) << "no READY line\n" << Logs();
    ASSERT_EQ(ready->rfind("READY ", 0), 0u) << *ready;
}

std::unique_ptr<ChildProcess> LineFixture::Efax(char end, const std::vector<std::string>& args) {
    const std::string log = std::string("efax-") + end + ".log";
    logs_.push_back(log);
    std::vector<std::string> all = {"-d", File(end == 'a' ? "ttyA" : "ttyB"), "-v", "ewinc"};
    all.insert(all.end(), args.begin(), args.end());
    return std::make_unique<ChildProcess>("efax", all, File(log), false);
}

int LineFixture::EfaxStatus(ChildProcess& efax) {
    const auto status = efax.Wait(callLimit_);
    EXPECT_TRUE(status.has_value()) << "efax still runs after the call limit";
    return status.value_or(-1);
}

std::string LineFixture::CallResult() {
    if (!linesim_) return {};
    const auto line = linesim_->ReadLine(callLimit_);
    EXPECT_TRUE(line.has_value()) << "linesim printed no result";
    const auto status = linesim_->Wait(std::chrono::seconds(5));
    EXPECT_TRUE(status.has_value()) << "linesim did not end after its result";
    return line.value_or("");
}

std::string LineFixture::Logs() const {
    std::string all;
    for (const auto& log : logs_) all += "---- " + log + "\n" + ReadFile(dir_.path() / log);
    return all;
}

void LineFixture::TearDown() {
    if (HasFailure()) std::cerr << Logs();
}

std::string JsonField(const std::string& json, const std::string& key) {
    const std::regex field("\"" + key + "\"\\s*:\\s*(\"([^\"]*)\"|[-0-9.a-z]+)");
    std::smatch m;
    if (!std::regex_search(json, m, field)) return {};
    return m[2].matched ? m[2].str() : m[1].str();
}

}  // namespace vl::test
