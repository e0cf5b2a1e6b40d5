// The calls the session benchmark times, each through its own linesim run:
// Vellora on a Class 1 modem, efax on a Class 1 modem, and spandsp's fax
// machine, all sending the same pages to spandsp's fax machine.
#pragma once

#include <filesystem>
#include <string>

#include "SessionPages.h"

namespace vl::bench {

struct BenchPrograms {
    std::string linesim;
    std::string cli;  // vellora-cli; VELLORA_HOME must name its data folder
};

struct CallTiming {
    double seconds = 0;  // from the sender's start to linesim's result line
    std::string result;  // that line, JSON
};

// Each call places its logs and received files in `dir` under names that
// begin with `tag`. A call that does not complete with every page at the far
// end throws, with the logs in the message.
// Vellora with its best coding (MMR with error correction), and with MH
// only and no error correction.
CallTiming TimeVelloraCall(const BenchPrograms& p, const BenchDocument& doc, const std::filesystem::path& dir,
                           const std::string& tag);
CallTiming TimeVelloraMhCall(const BenchPrograms& p, const BenchDocument& doc, const std::filesystem::path& dir,
                             const std::string& tag);
CallTiming TimeEfaxCall(const BenchPrograms& p, const BenchDocument& doc, const std::filesystem::path& dir,
                        const std::string& tag);
// The fax machines limited to the coding the other two senders use (one-
// dimensional, no ECM), and left to choose their best (two-dimensional
// coding with ECM).
CallTiming TimeFaxMachineCall(const BenchPrograms& p, const BenchDocument& doc, const std::filesystem::path& dir,
                              const std::string& tag);
CallTiming TimeFaxMachineBestCall(const BenchPrograms& p, const BenchDocument& doc, const std::filesystem::path& dir,
                                  const std::string& tag);

}  // namespace vl::bench
