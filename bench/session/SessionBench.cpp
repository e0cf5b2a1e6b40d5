// One three-page fine text fax at 14400 bit/s over linesim, to spandsp's fax
// machine, sent in the same run by
//  - Vellora: vellora-cli send on a Class 1 modem, with its best coding (MMR
//    with error correction) and with MH only,
//  - efax on a Class 1 modem (MH),
//  - spandsp's own fax machine calling the other one, left to choose its best
//    (MMR with error correction) and limited to MH without error correction,
// each timed from the sender's start (for the fax machine: its dial) to
// linesim's result line, which comes a fixed grace after the call ends.
//
//   bench_session [--reps N] [--linesim PATH] [--cli PATH]
//
// linesim and vellora-cli default to the ones in this build tree. With more
// than one repetition the medians are compared. Aim: Vellora within 1.05 times
// the fax machine's time, best against best and MH against MH, and in MH no
// slower than efax; the aim is printed, not enforced. Exit status 0 when every call brought its three pages, 2 on a
// fault.
#include <algorithm>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include "SessionCalls.h"
#include "SessionPages.h"
#include "common/BenchMain.h"
#include "support/EnvVar.h"
#include "support/TestSupport.h"

namespace vl::bench {
namespace {

struct Options {
    int reps = 1;
    BenchPrograms programs{VL_LINESIM_PATH, VL_CLI_PATH};
};

Options ParseOptions(int argc, char** argv) {
    Options o;
    for (int i = 1; i < argc; i += 2) {
        const std::string a = argv[i];
        if (i + 1 >= argc) throw std::runtime_error(a + " needs a value");
        const std::string v = argv[i + 1];
        if (a == "--reps") o.reps = std::stoi(v);
        else if (a == "--linesim") o.programs.linesim = v;
        else if (a == "--cli") o.programs.cli = v;
        else throw std::runtime_error("unknown option " + a);
    }
    if (o.reps < 1) throw std::runtime_error("--reps needs at least 1");
    return o;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const std::size_t mid = v.size() / 2;
    return v.size() % 2 ? v[mid] : (v[mid - 1] + v[mid]) / 2;
}

struct Sender {
    const char* name;
    CallTiming (*call)(const BenchPrograms&, const BenchDocument&, const std::filesystem::path&, const std::string&);
    std::vector<double> seconds;
};

int Main(int argc, char** argv) {
    const Options o = ParseOptions(argc, argv);
    test::TempDir work;
    const std::string home = work.folder() + "home/";
    test::EnvVar vlHome("VELLORA_HOME", home);
    const BenchDocument doc = MakeBenchDocument(o.programs.cli, home, work.path());

    Sender senders[] = {{"vellora-best", TimeVelloraCall, {}},
                        {"spandsp-best", TimeFaxMachineBestCall, {}},
                        {"vellora-mh", TimeVelloraMhCall, {}},
                        {"spandsp-mh", TimeFaxMachineCall, {}},
                        {"efax-mh", TimeEfaxCall, {}}};
    for (int rep = 1; rep <= o.reps; ++rep) {
        for (Sender& s : senders) {
            const CallTiming t = s.call(o.programs, doc, work.path(), s.name + std::to_string(rep));
            s.seconds.push_back(t.seconds);
            std::printf("rep %d  %-12s %6.1f s  %s\n", rep, s.name, t.seconds, t.result.c_str());
            std::fflush(stdout);
        }
    }
    double median[std::size(senders)];
    std::printf("three fine text pages at 14400 bit/s%s:\n", o.reps > 1 ? " (medians)" : "");
    for (std::size_t i = 0; i < std::size(senders); ++i) {
        median[i] = Median(senders[i].seconds);
        std::printf("  %-12s %6.1f s\n", senders[i].name, median[i]);
    }
    std::printf("best: vellora / spandsp  %.3f   (aim: at most 1.05)\n", median[0] / median[1]);
    std::printf("MH:   vellora / spandsp  %.3f   (aim: at most 1.05)\n", median[2] / median[3]);
    std::printf("MH:   vellora / efax     %.3f   (aim: at most 1)\n", median[2] / median[4]);
    return 0;
}

}  // namespace
}  // namespace vl::bench

int main(int argc, char** argv) { return vl::bench::RunBenchmark("bench_session", vl::bench::Main, argc, argv); }
