#include "SessionCalls.h"

#include <chrono>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <vector>

#include "ChildProcess.h"
#include "FaxTerminal.h"
#include "LineFixture.h"

namespace vl::bench {
namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

// Three fine text pages at 14400 bit/s take one to two minutes; the limits
// only keep a stuck call from hanging the run.
constexpr auto kCallLimit = 300s;
constexpr int kLineTimeoutS = 320;
constexpr const char* kSenderId = "+1 555 0101";
constexpr const char* kReceiverId = "+1 555 0199";

// The last `count` lines of a log, for a failure message.
std::string Tail(const std::filesystem::path& log, std::size_t count) {
    std::ifstream in(log);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    std::string out;
    for (std::size_t i = lines.size() > count ? lines.size() - count : 0; i < lines.size(); ++i)
        out += lines[i] + "\n";
    return out;
}

// One linesim run whose end B is spandsp's fax machine storing what it gets.
class BenchLine {
public:
    BenchLine(const BenchPrograms& p, std::vector<std::string> args, const std::filesystem::path& dir,
              const std::string& tag)
        : dir_(dir), tag_(tag) {
        args.insert(args.end(), {"--link-a", TtyA(), "--faxterm-receive", File("received.tif"), "--faxterm-id",
                                 kReceiverId, "--timeout", std::to_string(kLineTimeoutS), "--verbose"});
        line_ = std::make_unique<test::ChildProcess>(p.linesim, args, Log("linesim"), true);
        const auto ready = line_->ReadLine(10s);
        if (!ready || ready->rfind("READY ", 0) != 0) Fail("linesim did not start");
        readyAt_ = Clock::now();
    }

    std::string File(const std::string& name) const { return (dir_ / (tag_ + "-" + name)).string(); }
    std::string TtyA() const { return File("ttyA"); }
    std::filesystem::path Log(const std::string& who) {
        logs_.push_back(File(who + ".log"));
        return logs_.back();
    }
    Clock::time_point ReadyAt() const { return readyAt_; }

    // Waits for the result line: the call must have brought every page to B.
    CallTiming Finish(Clock::time_point start) {
        const auto line = line_->ReadLine(kCallLimit);
        const auto end = Clock::now();
        if (!line) Fail("linesim printed no result");
        line_->Wait(5s);
        const std::string pages = std::to_string(kBenchPages);
        if (test::JsonField(*line, "result") != "completed" || test::JsonField(*line, "pages_a_to_b") != pages)
            Fail("the call did not bring " + pages + " pages: " + *line);
        return {std::chrono::duration<double>(end - start).count(), *line};
    }

    [[noreturn]] void Fail(const std::string& why) const {
        std::string message = tag_ + ": " + why + "\n";
        for (const auto& log : logs_) message += "---- " + log.string() + " (end)\n" + Tail(log, 40);
        throw std::runtime_error(message);
    }

private:
    std::filesystem::path dir_;
    std::string tag_;
    std::vector<std::filesystem::path> logs_;
    std::unique_ptr<test::ChildProcess> line_;
    Clock::time_point readyAt_;
};

CallTiming FaxMachineCall(const BenchPrograms& p, const BenchDocument& doc, const std::filesystem::path& dir,
                          const std::string& tag, bool mhOnly) {
    std::vector<std::string> args = {"--a", "faxterm", "--b", "faxterm", "--faxterm-a-send", doc.tiff,
                                     "--faxterm-a-id", kSenderId};
    if (mhOnly) args.push_back("--faxterm-mh-only");
    BenchLine line(p, args, dir, tag);
    // The calling machine has nothing to prepare: its time starts when it dials.
    return line.Finish(line.ReadyAt() + std::chrono::milliseconds(linesim::kFaxTerminalDialAtMs));
}

// The sender's exit status, once the call is over.
void CheckSender(BenchLine& line, test::ChildProcess& sender, const std::string& name) {
    const auto status = sender.Wait(30s);
    if (status != 0) line.Fail(name + " ended with status " + (status ? std::to_string(*status) : "none (still runs)"));
}

CallTiming VelloraCall(const BenchPrograms& p, const BenchDocument& doc, const std::filesystem::path& dir,
                       const std::string& tag, const std::vector<std::string>& coding) {
    BenchLine line(p, {"--a", "class1", "--b", "faxterm"}, dir, tag);
    std::vector<std::string> args = {"send",  "--port", line.TtyA(), "--number",     "199",
                                     "--class", "1",     "--bps",     "14400",        "--station-id", kSenderId};
    args.insert(args.end(), coding.begin(), coding.end());
    args.push_back(doc.apf);
    const auto start = Clock::now();
    test::ChildProcess cli(p.cli, args, line.Log("vellora-cli"), false);
    CallTiming timing = line.Finish(start);
    CheckSender(line, cli, "vellora-cli send");
    return timing;
}

}  // namespace

CallTiming TimeVelloraCall(const BenchPrograms& p, const BenchDocument& doc, const std::filesystem::path& dir,
                           const std::string& tag) {
    return VelloraCall(p, doc, dir, tag, {"--coding", "mmr", "--ecm"});
}

CallTiming TimeVelloraMhCall(const BenchPrograms& p, const BenchDocument& doc, const std::filesystem::path& dir,
                             const std::string& tag) {
    return VelloraCall(p, doc, dir, tag, {"--coding", "mh"});
}

CallTiming TimeEfaxCall(const BenchPrograms& p, const BenchDocument& doc, const std::filesystem::path& dir,
                        const std::string& tag) {
    BenchLine line(p, {"--a", "class1", "--b", "faxterm"}, dir, tag);
    std::vector<std::string> args = {"-d", line.TtyA(), "-v", "ewinc", "-o1", "-l", kSenderId, "-t", "199"};
    args.insert(args.end(), doc.pageTiffs.begin(), doc.pageTiffs.end());
    const auto start = Clock::now();
    test::ChildProcess efax("efax", args, line.Log("efax"), false);
    CallTiming timing = line.Finish(start);
    CheckSender(line, efax, "efax");
    return timing;
}

CallTiming TimeFaxMachineCall(const BenchPrograms& p, const BenchDocument& doc, const std::filesystem::path& dir,
                              const std::string& tag) {
    return FaxMachineCall(p, doc, dir, tag, true);
}

CallTiming TimeFaxMachineBestCall(const BenchPrograms& p, const BenchDocument& doc, const std::filesystem::path& dir,
                                  const std::string& tag) {
    return FaxMachineCall(p, doc, dir, tag, false);
}

}  // namespace vl::bench
