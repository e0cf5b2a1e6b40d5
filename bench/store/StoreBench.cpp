// Times the outgoing table's everyday work on the program's table engine and
// on SQLite in the same run, and reports the ratio of the medians.
//
//   bench_store [--records N] [--reps N]     (defaults 100000 and 5)
//
// The last line says whether every ratio is at most 1.5. Exit status 0 when
// the run completed, 2 on a fault (including the two stores disagreeing
// about what they read); timings alone never fail it, since a debug build
// or a busy machine says nothing about the code.
#include <stdlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "StoreRun.h"
#include "common/BenchMain.h"

namespace vl::bench {

namespace {

constexpr double kBudget = 1.5;

class TempFolder {
public:
    TempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "vellora-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make a temporary folder");
        path_ = pattern;
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    std::string Folder() const { return path_.string() + "/"; }

private:
    std::filesystem::path path_;
};

double TimeMs(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// Timings per operation name, in the order operations first ran.
struct Timings {
    std::vector<std::string> names;
    std::map<std::string, std::vector<double>> ours;
    std::map<std::string, std::vector<double>> peer;
    // Shown for reference and left out of the budget.
    std::set<std::string> reference;

    void Add(const std::string& name, double oursMs, double peerMs, bool budgeted = true) {
        if (!ours.count(name)) names.push_back(name);
        if (!budgeted) reference.insert(name);
        ours[name].push_back(oursMs);
        peer[name].push_back(peerMs);
    }
};

void Same(const WalkResult& a, const WalkResult& b, const std::string& what) {
    if (a.records != b.records || a.bytes != b.bytes)
        throw std::runtime_error(what + ": the stores read different records (" + std::to_string(a.records) + " vs " +
                                 std::to_string(b.records) + ")");
}

void Repetition(const std::vector<OutRecord>& records, Timings& timings, std::vector<int>& gaugeMoves) {
    TempFolder folder;
    auto ours = MakeEngineRun(folder.Folder());
    auto peer = MakeSqliteRun(folder.Folder());
    auto both = [&](const std::string& name, const std::function<void(StoreRun&)>& work) {
        const double o = TimeMs([&] { work(*ours); });
        const double p = TimeMs([&] { work(*peer); });
        timings.Add(name, o, p);
    };
    both("append", [&](StoreRun& s) { s.Append(records); });
    both("build all tags", [](StoreRun& s) { s.BuildTags(); });
    static const char* const kTagNames[] = {"DATESENT", "SUBJECT", "RECIPIENT", "CODES", "ARCHIVED", "DATEND"};
    for (int tag = 0; tag < ours->TagCount(); ++tag) {
        WalkResult o, p;
        timings.Add(std::string("walk ") + kTagNames[tag], TimeMs([&] { o = ours->Walk(tag); }),
                    TimeMs([&] { p = peer->Walk(tag); }));
        Same(o, p, kTagNames[tag]);
    }
    WalkResult o, p;
    timings.Add("filtered walk", TimeMs([&] { o = ours->FilteredWalk(); }), TimeMs([&] { p = peer->FilteredWalk(); }));
    Same(o, p, "filtered walk");
    // Once untimed, so that what the runs above left unwritten (our index
    // entries) is not counted as part of an open.
    Same(ours->Reopen(), peer->Reopen(), "close + open");
    // SQLite opens lazily (one page for the first row) while our engine reads
    // the whole table, so this ratio is no like-for-like comparison.
    timings.Add("close + open", TimeMs([&] { o = ours->Reopen(); }), TimeMs([&] { p = peer->Reopen(); }), false);
    Same(o, p, "close + open");
    int moves = 0;
    timings.Add("rebuild (pack + tags)", TimeMs([&] { moves = ours->Rebuild(); }), TimeMs([&] { peer->Rebuild(); }));
    gaugeMoves.push_back(moves);
    both("delete a tenth + pack", [](StoreRun& s) { s.DeleteTenthAndPack(); });
    if (ours->Count() != peer->Count()) throw std::runtime_error("the stores kept different numbers of records");
}

int Main(int argc, char** argv) {
    uint32_t count = 100000;
    int reps = 5;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--records") == 0) count = static_cast<uint32_t>(std::stoul(argv[i + 1]));
        else if (std::strcmp(argv[i], "--reps") == 0) reps = std::max(1, std::stoi(argv[i + 1]));
        else throw std::invalid_argument(std::string("unknown option ") + argv[i]);
    }
    const std::vector<OutRecord> records = MakeOutRecords(count);
    Timings timings;
    std::vector<int> gaugeMoves;
    for (int r = 0; r < reps; ++r) Repetition(records, timings, gaugeMoves);

    std::printf("%u outgoing records, median of %d repetitions\n", count, reps);
    std::printf("%-24s %10s %10s %7s\n", "operation", "ours ms", "SQLite ms", "ratio");
    bool within = true;
    for (const std::string& name : timings.names) {
        const double o = Median(timings.ours[name]);
        const double p = Median(timings.peer[name]);
        const double ratio = p > 0 ? o / p : 0;
        const bool reference = timings.reference.count(name) > 0;
        if (!reference) within = within && ratio <= kBudget;
        std::printf("%-24s %10.2f %10.2f %7.2f%s\n", name.c_str(), o, p, ratio, reference ? "  (reference)" : "");
    }
    std::printf("the rebuild's progress moved %d times (fewest of the repetitions)\n",
                *std::min_element(gaugeMoves.begin(), gaugeMoves.end()));
    std::printf("every ratio <= %.1f (reference rows aside): %s\n", kBudget, within ? "yes" : "no");
    return 0;
}

}  // namespace

}  // namespace vl::bench

int main(int argc, char** argv) { return vl::bench::RunBenchmark("bench_store", vl::bench::Main, argc, argv); }
