// linesim: a simulated telephone line between two fax endpoints.
#include <atomic>
#include <csignal>
#include <cstdio>
#include <iostream>
#include <memory>
#include <stdexcept>

#include "CallSummary.h"
#include "CallSwitch.h"
#include "Class2Endpoint.h"
#include "Class2Link.h"
#include "ClassOneModem.h"
#include "FaxTerminal.h"
#include "LineLoop.h"
#include "Options.h"

namespace {

using namespace vl::linesim;

std::atomic<bool> gStop{false};

void OnSignal(int) { gStop = true; }

// With a fax terminal at each end, A's calls B's and has options of its own.
FaxTerminalSetup FaxTerminalSetupFor(int side, const Options& o) {
    if (side == 0 && o.b == EndpointKind::FaxTerm)
        return {true, o.answerRings, o.faxtermASend, o.faxtermAReceive, o.faxtermAId, o.verbose, o.faxtermMhOnly};
    return {o.faxtermCall, o.answerRings, o.faxtermSend, o.faxtermReceive, o.faxtermId, o.verbose, o.faxtermMhOnly};
}

std::unique_ptr<Endpoint> MakeEndpoint(EndpointKind kind, int side, const std::string& link, const Options& o,
                                       Exchange& exchange, Class2Link& class2Link) {
    ModemFaults faults{o.faults.slowOkMs, o.faults.garbage};
    switch (kind) {
    case EndpointKind::Class1:
        return std::make_unique<ClassOneModem>(exchange, link, faults, o.verbose, o.class1VoiceDetect);
    case EndpointKind::FaxTerm:
        return std::make_unique<FaxTerminal>(exchange, FaxTerminalSetupFor(side, o));
    case EndpointKind::Class2:
        return std::make_unique<Class2Endpoint>(exchange, Class2Dialect::Class2, class2Link, side, link, faults);
    case EndpointKind::Class20:
        return std::make_unique<Class2Endpoint>(exchange, Class2Dialect::Class20, class2Link, side, link, faults);
    }
    throw std::logic_error("unknown endpoint kind");
}

int Run(const Options& o) {
    CallSwitch exchange(o.faults.call);
    // Two Class 2 endpoints carry their fax session on this link, with the line's faults.
    Class2Link class2Link;
    class2Link.DropAfterPage(o.faults.dropAfterPage);
    if (o.faults.noiseDbm0) class2Link.SetNoiseDb(*o.faults.noiseDbm0);
    class2Link.SpoilFirstPages(o.faults.badPages);
    class2Link.SetFarEndIsVoice(o.faults.call == CallFault::Voice);
    std::unique_ptr<Endpoint> a, b;
    try {
        a = MakeEndpoint(o.a, 0, o.linkA, o, exchange, class2Link);
        b = MakeEndpoint(o.b, 1, o.linkB, o, exchange, class2Link);
    } catch (const std::exception& e) {
        std::cerr << "linesim: " << e.what() << "\n";
        return 2;
    }
    exchange.Attach(*a, *b);
    auto* faxterm = dynamic_cast<FaxTerminal*>(o.a == EndpointKind::FaxTerm ? a.get() : b.get());

    std::printf("READY a=%s b=%s\n", a->Description().c_str(), b->Description().c_str());
    std::fflush(stdout);

    LoopSetup setup{o.timeoutS, o.faults.dropAfterPage, o.faults.noiseDbm0, o.faults.lossDb, faxterm};
    LoopEnd end = RunLine(*a, *b, exchange, setup, gStop);

    CallFacts facts;
    // The exchange does not see a Class 2 link drop: the link itself tells.
    facts.outcome = class2Link.Dropped() ? CallOutcome::Dropped : exchange.Outcome();
    facts.connected = exchange.Connected();
    facts.timedOut = end == LoopEnd::TimedOut;
    facts.interrupted = end == LoopEnd::Interrupted;
    facts.a = a->Report();
    facts.b = b->Report();
    facts.aJudges = o.a != EndpointKind::Class1;
    facts.bJudges = o.b != EndpointKind::Class1;
    if (faxterm) {
        // With a fax terminal at each end, one whose session failed tells why.
        const auto* bTerminal = dynamic_cast<const FaxTerminal*>(b.get());
        facts.t30Result = (bTerminal && faxterm->Report().completed ? bTerminal : faxterm)->ResultText();
        // A Class 1 modem cannot see its computer's ID; the fax terminal heard it.
        SideReport& modem = faxterm == a.get() ? facts.b : facts.a;
        if (modem.stationId.empty()) modem.stationId = faxterm->RemoteIdent();
    }
    CallSummary summary = Summarize(facts);
    std::printf("%s\n", ToJson(summary).c_str());
    std::fflush(stdout);
    return ExitStatus(summary);
}

}  // namespace

int main(int argc, char** argv) {
    std::string error;
    auto options = ParseOptions(std::vector<std::string>(argv + 1, argv + argc), error);
    if (!options) {
        std::cerr << "linesim: " << error << "\nTry linesim --help.\n";
        return 2;
    }
    if (options->help) {
        std::cout << UsageText();
        return 0;
    }
    std::signal(SIGTERM, OnSignal);
    std::signal(SIGINT, OnSignal);
    std::signal(SIGPIPE, SIG_IGN);
    try {
        return Run(*options);
    } catch (const std::exception& e) {
        std::cerr << "linesim: " << e.what() << "\n";
        return 2;
    }
}
