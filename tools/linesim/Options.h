// linesim's command line.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace vl::linesim {

enum class EndpointKind { Class1, Class2, Class20, FaxTerm };

// How a call placed through the exchange is made to fail, if at all.
enum class CallFault { None, Busy, NoAnswer, NoDialtone, Voice, NoCarrier };

struct LineFaults {
    CallFault call = CallFault::None;
    int dropAfterPage = -1;            // the line drops during page N+1; -1: never
    int badPages = 0;                  // Class 2 receivers find the first N pages bad
    std::optional<double> noiseDbm0;   // white noise added to the line
    double lossDb = 0;                 // the line's loss between the two ends
    int slowOkMs = 0;
    bool garbage = false;
};

struct Options {
    EndpointKind a = EndpointKind::Class1;
    EndpointKind b = EndpointKind::FaxTerm;
    std::string linkA, linkB;
    int answerRings = 2;
    bool faxtermCall = false;
    std::string faxtermSend, faxtermReceive;
    std::string faxtermId = "LINESIM";
    // With a fax terminal at each end, A's calls B and the options above are
    // B's; these are A's.
    std::string faxtermASend, faxtermAReceive;
    std::string faxtermAId = "LINESIM-A";
    bool faxtermMhOnly = false;  // fax terminals offer one-dimensional coding only, no ECM
    LineFaults faults;
    int timeoutS = 0;  // 0: no limit
    bool class1VoiceDetect = false;  // class1 modems report VOICE when a person answers
    bool verbose = false;
    bool help = false;
};

bool IsAudioKind(EndpointKind kind);

// Parses argv[1..]; on error returns nothing and sets `error`.
std::optional<Options> ParseOptions(const std::vector<std::string>& args, std::string& error);

// The --help text.
std::string UsageText();

}  // namespace vl::linesim
