// The port dispatcher on a pty pair:
//  - throughput: bytes per second put through WriteBlock and the output
//    thread while a reader drains the far end, beside plain write() calls on
//    the same kind of line;
//  - latency: the time from a byte entering the line to its data-available
//    handler running (median and 99th percentile; aim: under 5 ms);
//  - idle cost: processor time per second of an open port that waits for
//    something to arrive, as receive mode does between calls (aim: under 1 %
//    of one core), on a pty and on a real UART (/dev/ttyS*) where one opens;
//    a pty has no modem lines to watch, a UART has.
//
//   bench_serial [--bytes N] [--samples N] [--idle-seconds N] [--uart DEVICE]
//
// Exit status 0 when the run completed, 2 on a fault; timings never fail it.
#include <fcntl.h>
#include <poll.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "BenchPty.h"
#include "base/MessageWindow.h"
#include "common/BenchMain.h"
#include "serial/VlLinuxDispatcher.h"

namespace vl::bench {

namespace {

using Clock = std::chrono::steady_clock;

struct Options {
    long bytes = 20'000'000;
    int samples = 1000;
    int idleSeconds = 10;
    std::string uart;  // empty: the first /dev/ttyS* that opens
};

Options ParseOptions(int argc, char** argv) {
    Options o;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string a = argv[i];
        if (a == "--uart") {
            o.uart = argv[i + 1];
            continue;
        }
        const long v = std::stol(argv[i + 1]);
        if (a == "--bytes") o.bytes = v;
        else if (a == "--samples") o.samples = static_cast<int>(v);
        else if (a == "--idle-seconds") o.idleSeconds = static_cast<int>(v);
        else throw std::runtime_error("unknown option " + a);
    }
    return o;
}

double Since(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

void Check(int rc, const char* what) {
    if (rc < 0) throw std::runtime_error(std::string(what) + " failed with " + std::to_string(rc));
}

// A dispatcher open on the pty's slave with 8192-byte queues, DTR and RTS on.
std::unique_ptr<serial::VlBaseDispatcher> OpenOn(base::MessageLoop& loop, const BenchPty& pty) {
    auto dispatcher = serial::MakeLinuxDispatcher(loop, "/tmp/");
    Check(dispatcher->OpenDevicePort(pty.SlavePath(), 115200, 0, 8, 1, 8192, 8192,
                                     serial::kOpenDtrOn | serial::kOpenRtsOn),
          "OpenDevicePort");
    return dispatcher;
}

// Reads and counts everything that arrives at the far end until `total`.
std::thread Drain(int fd, long total, std::atomic<long>& got) {
    return std::thread([fd, total, &got] {
        std::vector<char> buffer(65536);
        while (got.load() < total) {
            pollfd p{fd, POLLIN, 0};
            if (poll(&p, 1, 2000) <= 0) return;
            const ssize_t n = read(fd, buffer.data(), buffer.size());
            if (n > 0) got += n;
        }
    });
}

double DispatcherThroughput(long total) {
    base::MessageLoop loop;
    BenchPty pty;
    auto dispatcher = OpenOn(loop, pty);
    std::atomic<long> got{0};
    std::thread reader = Drain(pty.Master(), total, got);
    const std::vector<std::uint8_t> chunk(1024, 0x55);
    const auto start = Clock::now();
    long put = 0;
    while (put < total) {
        const int room = std::min<long>(dispatcher->OutputFree(), total - put);
        if (room < 1) {
            std::this_thread::sleep_for(std::chrono::microseconds(200));
            continue;
        }
        const auto n = static_cast<std::size_t>(std::min<int>(room, static_cast<int>(chunk.size())));
        Check(dispatcher->WriteBlock(std::span(chunk).first(n)), "WriteBlock");
        put += static_cast<long>(n);
    }
    reader.join();
    const double seconds = Since(start);
    dispatcher->CloseDevicePort();
    if (got.load() != total) throw std::runtime_error("the far end got " + std::to_string(got.load()) + " bytes");
    return static_cast<double>(total) / seconds;
}

double PlainWriteThroughput(long total) {
    BenchPty pty;
    const int fd = open(pty.SlavePath().c_str(), O_RDWR | O_NOCTTY);
    if (fd < 0) throw std::runtime_error("pty slave does not open");
    std::atomic<long> got{0};
    std::thread reader = Drain(pty.Master(), total, got);
    const std::vector<char> chunk(1024, 0x55);
    const auto start = Clock::now();
    for (long put = 0; put < total;) {
        const ssize_t n = write(fd, chunk.data(), static_cast<std::size_t>(std::min<long>(1024, total - put)));
        if (n > 0) put += n;
    }
    reader.join();
    const double seconds = Since(start);
    close(fd);
    return static_cast<double>(total) / seconds;
}

// The data-available handler stamps the time; it runs on the dispatcher thread.
std::atomic<Clock::rep> handledAt{0};
serial::VlBaseDispatcher* latencyPort = nullptr;

void OnAvail(std::uint32_t msg, std::uintptr_t, std::intptr_t) {
    if (msg != serial::kTriggerAvailMsg) return;
    while (latencyPort->HasInput()) latencyPort->ReadByte();
    handledAt = Clock::now().time_since_epoch().count();
}

std::vector<double> HandlerLatencies(int samples) {
    base::MessageLoop loop;
    BenchPty pty;
    auto dispatcher = OpenOn(loop, pty);
    latencyPort = dispatcher.get();
    dispatcher->SetAvailThreshold(1);
    dispatcher->AddProcedureHandler(OnAvail);
    std::vector<double> ms;
    for (int i = 0; i < samples; ++i) {
        handledAt = 0;
        const auto sent = Clock::now();
        const char byte = 'x';
        if (write(pty.Master(), &byte, 1) != 1) throw std::runtime_error("far end write failed");
        while (handledAt.load() == 0) {
            if (Since(sent) > 5.0) throw std::runtime_error("no data-available event within 5 s");
            std::this_thread::yield();
        }
        ms.push_back(std::chrono::duration<double, std::milli>(Clock::duration(handledAt.load()) -
                                                               sent.time_since_epoch())
                         .count());
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    dispatcher->RemoveProcedureHandler(OnAvail);
    dispatcher->CloseDevicePort();
    latencyPort = nullptr;
    std::sort(ms.begin(), ms.end());
    return ms;
}

double ProcessSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

// Processor seconds per second while the open port waits for input.
double IdleShareOfOneCore(serial::VlBaseDispatcher& dispatcher, int seconds) {
    dispatcher.SetAvailThreshold(1);
    const double cpuStart = ProcessSeconds();
    const auto start = Clock::now();
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
    const double share = (ProcessSeconds() - cpuStart) / Since(start);
    dispatcher.CloseDevicePort();
    return share;
}

double PtyIdleShare(int seconds) {
    base::MessageLoop loop;
    BenchPty pty;
    auto dispatcher = OpenOn(loop, pty);
    return IdleShareOfOneCore(*dispatcher, seconds);
}

// The idle cost on a real UART, or a negative number (and a line saying why)
// when none opens here.
double UartIdleShare(const std::string& wanted, int seconds, std::string& device) {
    base::MessageLoop loop;
    std::vector<std::string> candidates;
    if (!wanted.empty()) candidates.push_back(wanted);
    for (int n = 0; wanted.empty() && n < 32; ++n) candidates.push_back("/dev/ttyS" + std::to_string(n));
    for (const std::string& path : candidates) {
        if (access(path.c_str(), F_OK) != 0) continue;
        auto dispatcher = serial::MakeLinuxDispatcher(loop, "/tmp/");
        if (dispatcher->OpenDevicePort(path, 19200, 0, 8, 1, 8192, 8192, serial::kOpenDtrOn | serial::kOpenRtsOn) != 0)
            continue;
        device = path;
        return IdleShareOfOneCore(*dispatcher, seconds);
    }
    return -1;
}

int Main(int argc, char** argv) {
    const Options o = ParseOptions(argc, argv);
    const double ours = DispatcherThroughput(o.bytes);
    const double plain = PlainWriteThroughput(o.bytes);
    std::printf("throughput  dispatcher %.1f MB/s   plain write() %.1f MB/s   ratio %.2f\n", ours / 1e6, plain / 1e6,
                ours / plain);
    const std::vector<double> ms = HandlerLatencies(o.samples);
    const double median = ms[ms.size() / 2];
    const double p99 = ms[std::min(ms.size() - 1, ms.size() * 99 / 100)];
    std::printf("handler latency  median %.3f ms   99th percentile %.3f ms   (aim: under 5 ms)\n", median, p99);
    const double idle = PtyIdleShare(o.idleSeconds);
    std::printf("idle wait on a pty   %.3f ms of CPU per second (%.3f %% of one core) over %d s   (aim: under 1 %%)\n",
                idle * 1000, idle * 100, o.idleSeconds);
    std::string uart;
    const double uartIdle = UartIdleShare(o.uart, o.idleSeconds, uart);
    if (uartIdle < 0)
        std::printf("idle wait on a UART  skipped: no /dev/ttyS* device opens here\n");
    else
        std::printf("idle wait on %s  %.3f ms of CPU per second (%.3f %% of one core) over %d s   (aim: under 1 %%)\n",
                    uart.c_str(), uartIdle * 1000, uartIdle * 100, o.idleSeconds);
    const bool idleMet = idle < 0.01 && uartIdle < 0.01;
    std::printf("%s\n", p99 < 5.0 && idleMet ? "aims met" : "aims NOT met");
    return 0;
}

}  // namespace

}  // namespace vl::bench

int main(int argc, char** argv) { return vl::bench::RunBenchmark("bench_serial", vl::bench::Main, argc, argv); }
