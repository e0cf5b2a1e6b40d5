// Arbitrary bytes from the computer to an emulated Class 2 or 2.0 modem in
// the middle of a call: command lines, page data, DLE pairs, flow control.
// The first byte picks the dialect and which side the bytes go to; the rest
// is cut into writes with simulated time passing between them. The modems
// must never crash and never send the computer more than the data warrants.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "Class2Link.h"
#include "Class2Modem.h"

namespace {

using namespace vl::linesim;

class Host : public Class2Surroundings {
public:
    void ToComputer(std::string_view bytes) override { said += bytes.size(); }
    void PlaceCall(const std::string&) override { ++calls; }
    void AnswerCall() override { ++answers; }
    void HangUpCall() override { ++hangUps; }
    std::size_t said = 0;
    int calls = 0, answers = 0, hangUps = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const std::uint8_t mode = data[0];
    std::string_view in(reinterpret_cast<const char*>(data + 1), size - 1);
    Class2Link link;
    if (mode & 4) link.DropAfterPage(0);
    Host hosts[2];
    Class2Modem a(mode & 1 ? Class2Dialect::Class20 : Class2Dialect::Class2, hosts[0], link, 0);
    Class2Modem b(mode & 2 ? Class2Dialect::Class20 : Class2Dialect::Class2, hosts[1], link, 1);
    Class2Modem* modems[2] = {&a, &b};
    // A call already up, so the bytes can reach every phase.
    a.FromComputer(mode & 1 ? "AT+FCLASS=2.0\r" : "AT+FCLASS=2\r");
    b.FromComputer(mode & 2 ? "AT+FCLASS=2.0\r" : "AT+FCLASS=2\r");
    std::int64_t now = 0;
    const int target = (mode >> 3) & 1;
    std::size_t totalIn = 0;
    while (!in.empty()) {
        // Each write ends at a newline-ish byte, up to 64 bytes.
        std::size_t n = 0;
        while (n < in.size() && n < 64 && in[n] != '\n') ++n;
        n = n < in.size() ? n + 1 : n;
        modems[target]->FromComputer(in.substr(0, n));
        totalIn += n;
        in.remove_prefix(n);
        now += 20 * (1 + (n & 7));
        if (hosts[0].calls) {
            hosts[0].calls = 0;
            b.OnCall(CallEvent::Ring);
            b.FromComputer("ATA\r");
        }
        if (hosts[1].answers || hosts[0].answers) {
            hosts[0].answers = hosts[1].answers = 0;
            a.OnCall(CallEvent::Connected);
            b.OnCall(CallEvent::Connected);
        }
        if (hosts[0].hangUps) b.OnCall(CallEvent::HungUp);
        if (hosts[1].hangUps) a.OnCall(CallEvent::HungUp);
        hosts[0].hangUps = hosts[1].hangUps = 0;
        a.Step(now);
        b.Step(now);
    }
    for (int i = 0; i < 500; ++i) {
        now += 20;
        a.Step(now);
        b.Step(now);
    }
    // Replies are bounded by what came in: echo, result codes, reports and the
    // page data (doubled at worst, reversed or not) of the other side.
    const std::size_t limit = 64 * 1024 + 4 * totalIn;
    if (hosts[0].said > limit || hosts[1].said > limit) __builtin_trap();
    return 0;
}
