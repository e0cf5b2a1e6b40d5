#include "Options.h"

#include <charconv>
#include <cstdlib>

namespace vl::linesim {
namespace {

bool ParseInt(const std::string& text, int low, int high, int& out) {
    int v = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec != std::errc() || end != text.data() + text.size() || v < low || v > high) return false;
    out = v;
    return true;
}

bool ParseDb(const std::string& text, double low, double high, double& out) {
    if (text.empty()) return false;
    char* end = nullptr;
    double v = std::strtod(text.c_str(), &end);
    if (end != text.c_str() + text.size() || !(v >= low && v <= high)) return false;
    out = v;
    return true;
}

std::optional<EndpointKind> ParseKind(const std::string& text) {
    if (text == "class1") return EndpointKind::Class1;
    if (text == "class2") return EndpointKind::Class2;
    if (text == "class2.0") return EndpointKind::Class20;
    if (text == "faxterm") return EndpointKind::FaxTerm;
    return std::nullopt;
}

std::string ApplyFault(const std::string& text, LineFaults& f) {
    auto colon = text.find(':');
    std::string name = text.substr(0, colon);
    std::string arg = colon == std::string::npos ? "" : text.substr(colon + 1);
    bool hasArg = colon != std::string::npos;
    static const std::pair<const char*, CallFault> kCallFaults[] = {
        {"busy", CallFault::Busy},         {"no-answer", CallFault::NoAnswer},
        {"no-dialtone", CallFault::NoDialtone}, {"voice", CallFault::Voice},
        {"no-carrier", CallFault::NoCarrier},
    };
    for (auto& [n, fault] : kCallFaults) {
        if (name != n) continue;
        if (hasArg) return "fault " + name + " takes no value";
        if (f.call != CallFault::None) return "only one of busy, no-answer, no-dialtone, voice, no-carrier";
        f.call = fault;
        return "";
    }
    if (name == "garbage") {
        if (hasArg) return "fault garbage takes no value";
        f.garbage = true;
        return "";
    }
    if (name == "drop-after-page") {
        if (f.dropAfterPage >= 0) return "drop-after-page given twice";
        return ParseInt(arg, 0, 999, f.dropAfterPage) ? "" : "drop-after-page:N needs N from 0 to 999";
    }
    if (name == "bad-pages") {
        if (f.badPages > 0) return "bad-pages given twice";
        return ParseInt(arg, 1, 999, f.badPages) ? "" : "bad-pages:N needs N from 1 to 999";
    }
    if (name == "slow-ok") {
        if (f.slowOkMs > 0) return "slow-ok given twice";
        return ParseInt(arg, 1, 60000, f.slowOkMs) ? "" : "slow-ok:MS needs MS from 1 to 60000";
    }
    if (name == "loss") {
        double db = 0;
        if (f.lossDb > 0) return "loss given twice";
        if (!ParseDb(arg, 0.1, 40.0, db)) return "loss:DB needs a loss in dB from 0.1 to 40";
        f.lossDb = db;
        return "";
    }
    if (name == "noise") {
        double db = 0;
        if (f.noiseDbm0) return "noise given twice";
        if (!ParseDb(arg, -90.0, 3.0, db)) return "noise:DB needs a level in dBm0 from -90 to 3";
        f.noiseDbm0 = db;
        return "";
    }
    return "unknown fault '" + text + "'";
}

// The field a text option sets; null for other options.
std::string Options::*TextField(const std::string& opt) {
    static const std::pair<const char*, std::string Options::*> kFields[] = {
        {"--link-a", &Options::linkA},
        {"--link-b", &Options::linkB},
        {"--faxterm-send", &Options::faxtermSend},
        {"--faxterm-receive", &Options::faxtermReceive},
        {"--faxterm-id", &Options::faxtermId},
        {"--faxterm-a-send", &Options::faxtermASend},
        {"--faxterm-a-receive", &Options::faxtermAReceive},
        {"--faxterm-a-id", &Options::faxtermAId},
    };
    for (const auto& [name, field] : kFields)
        if (opt == name) return field;
    return nullptr;
}

std::string Check(const Options& o) {
    if (IsAudioKind(o.a) != IsAudioKind(o.b))
        return "class2 and class2.0 endpoints can only face each other; class1 and faxterm only each other";
    if (o.faxtermCall && (o.b != EndpointKind::FaxTerm || o.a == EndpointKind::FaxTerm))
        return "--faxterm-call needs --b faxterm and a modem as --a";
    bool twoFaxterms = o.a == EndpointKind::FaxTerm && o.b == EndpointKind::FaxTerm;
    bool aSideGiven = !o.faxtermASend.empty() || !o.faxtermAReceive.empty() || o.faxtermAId != Options{}.faxtermAId;
    if (aSideGiven && !twoFaxterms)
        return "--faxterm-a-send, --faxterm-a-receive and --faxterm-a-id need --a faxterm --b faxterm";
    if (o.class1VoiceDetect && o.a != EndpointKind::Class1 && o.b != EndpointKind::Class1)
        return "--class1-voice-detect needs a class1 endpoint";
    bool hasFaxterm = o.a == EndpointKind::FaxTerm || o.b == EndpointKind::FaxTerm;
    if (!hasFaxterm && (!o.faxtermSend.empty() || !o.faxtermReceive.empty()))
        return "--faxterm-send and --faxterm-receive need a faxterm endpoint";
    if (!hasFaxterm && o.faxtermMhOnly) return "--faxterm-mh-only needs a faxterm endpoint";
    if (o.faults.dropAfterPage >= 0 && !hasFaxterm && IsAudioKind(o.a))
        return "drop-after-page needs a faxterm endpoint to see the pages";
    if (o.faults.badPages > 0 && IsAudioKind(o.a)) return "bad-pages needs class2 or class2.0 endpoints";
    return "";
}

}  // namespace

bool IsAudioKind(EndpointKind kind) { return kind == EndpointKind::Class1 || kind == EndpointKind::FaxTerm; }

std::optional<Options> ParseOptions(const std::vector<std::string>& args, std::string& error) {
    Options o;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& opt = args[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= args.size()) {
                error = opt + " needs a value";
                return false;
            }
            out = args[++i];
            return true;
        };
        std::string v;
        if (opt == "--help") {
            o.help = true;
        } else if (opt == "--verbose") {
            o.verbose = true;
        } else if (opt == "--faxterm-call") {
            o.faxtermCall = true;
        } else if (opt == "--faxterm-mh-only") {
            o.faxtermMhOnly = true;
        } else if (opt == "--class1-voice-detect") {
            o.class1VoiceDetect = true;
        } else if (opt == "--a" || opt == "--b") {
            if (!value(v)) return std::nullopt;
            auto kind = ParseKind(v);
            if (!kind) {
                error = opt + ": unknown kind '" + v + "' (class1, class2, class2.0, faxterm)";
                return std::nullopt;
            }
            (opt == "--a" ? o.a : o.b) = *kind;
        } else if (auto field = TextField(opt)) {
            if (!value(v)) return std::nullopt;
            if (v.empty()) {
                error = opt + " needs a non-empty value";
                return std::nullopt;
            }
            o.*field = v;
            if ((field == &Options::faxtermId || field == &Options::faxtermAId) && v.size() > 20) {
                error = opt + ": at most 20 characters";
                return std::nullopt;
            }
        } else if (opt == "--answer-rings" || opt == "--timeout") {
            if (!value(v)) return std::nullopt;
            bool rings = opt == "--answer-rings";
            if (!ParseInt(v, 1, rings ? 5 : 86400, rings ? o.answerRings : o.timeoutS)) {
                error = opt + (rings ? " needs a count from 1 to 5" : " needs seconds from 1 to 86400");
                return std::nullopt;
            }
        } else if (opt == "--fault") {
            if (!value(v)) return std::nullopt;
            error = ApplyFault(v, o.faults);
            if (!error.empty()) return std::nullopt;
        } else {
            error = "unknown option '" + opt + "'";
            return std::nullopt;
        }
    }
    if (o.help) return o;
    error = Check(o);
    if (!error.empty()) return std::nullopt;
    return o;
}

std::string UsageText() {
    return R"(usage: linesim [options]
A simulated telephone line joining two endpoints, A and B, in real time.

  --a KIND, --b KIND   class1 | class2 | class2.0 | faxterm (default --a class1 --b faxterm)
                       class1: a Class 1 fax modem on a pty, speaking real fax audio;
                       it also takes frames at page speeds (AT+FTH=/AT+FRH= with
                       24..146), as error correction sends pages. Such a reception
                       always trains in full: V.17's short training (74, 98, 122,
                       146) is heard only when the far end sends the long one.
                       class2, class2.0: emulated Class 2 / 2.0 modems on ptys; they
                       face only each other. faxterm: a fax machine on the line.
                       Audio kinds (class1, faxterm) cannot face the Class 2 kinds.
  --link-a PATH, --link-b PATH
                       make PATH a symbolic link to that endpoint's pty (replaced if
                       it exists, removed at exit; ignored for a faxterm). A pty
                       carries no RI or DCD: hosts see RING, CONNECT and NO CARRIER
                       only as text.
  --answer-rings N     the fax terminal answers after N rings (1-5, default 2).
                       Rings come every 6 s; a call nobody answers gets NO ANSWER
                       after 6. A modem that answers (ATA) before a call comes
                       takes the call without ringing.
  --faxterm-call       the fax terminal (B) calls endpoint A, 3 s after start
  --faxterm-send F     TIFF-F file the fax terminal sends
  --faxterm-receive F  TIFF file the fax terminal stores received pages in
  --faxterm-id ID      the fax terminal's station ID (default LINESIM, 20 chars max)
  --faxterm-a-send F, --faxterm-a-receive F, --faxterm-a-id ID
                       with --a faxterm --b faxterm: A's fax terminal calls B's
                       3 s after start; these options are A's (ID default
                       LINESIM-A), the --faxterm-send/-receive/-id options B's
  --faxterm-mh-only    fax terminals offer only one-dimensional coding and no
                       ECM, as a sender with plain Class 1 pages uses
  --fault F            inject a fault; may be repeated:
      busy             the dialled line is busy (BUSY after 3 s)
      no-answer        the far end rings out: NO ANSWER after 6 rings (37 s)
      no-dialtone      no dial tone (NO DIALTONE after 2 s)
      voice            a person answers after one ring (7 s): speech-like audio,
                       no fax tones; a Class 1 modem gives up after its S7 wait
                       (NO CARRIER) unless --class1-voice-detect is given
      no-carrier       the far end answers after one ring but stays silent
      (only one of the five above)
      drop-after-page:N  the line drops 2.5 s into the data of page N+1: both
                       ends hear silence, and get a hang-up 3 s later; needs a
                       faxterm or Class 2 endpoints
      bad-pages:N      the receiving Class 2 / 2.0 modem finds the first N pages
                       of the call bad, as after line hits (page status 2, RTN);
                       the pages after them are good; needs class2 or class2.0
      noise:DB         white noise at DB dBm0 on the line while a call is up
                       (e.g. noise:-50; from about -35 up, the modems' carrier
                       detectors no longer see the line go quiet)
      loss:DB          the line weakens what each end hears of the other by DB
                       dB (0.1-40). With noise below the carrier detectors'
                       reach, a long weak line: loss:20 with noise:-50 fails
                       the training checks (FTT) of 14400, 12000 and 9600
                       bit/s while V.21 frames get through and 7200 trains
      slow-ok:MS       modem endpoints send each OK result MS ms late
      garbage          modem endpoints put 24 bytes of line noise on the pty just
                       before the first result after the call connects
  --class1-voice-detect
                       class1 modems that placed a call listen to the answer:
                       speech and no fax answer tone within a few seconds (at
                       least 3 s), and they report VOICE (NO CARRIER with
                       numeric results) and hang up, as many modems do
  --timeout S          give up after S seconds (exit status 3)
  --verbose            protocol logs on stderr
  --help               this text

Output: once the ptys exist, one line "READY a=PATH b=PATH" (a pty path or
"faxterm"). After the call, one line of JSON:
  {"result":R,"pages_a_to_b":N,"pages_b_to_a":N,"bit_rate":N,"resolution":S,
   "id_a":S,"id_b":S,"t30_result":S}
R is "completed", "busy", "no-answer", "no-dialtone", "voice", "no-carrier",
"dropped", "failed", "abandoned" (the caller hung up while it rang), "timeout"
or "interrupted" (SIGTERM/SIGINT). id_a/id_b are the station IDs each side
sent as far as the line could see them. Page counts, rate and resolution come
from the fax terminal or the Class 2 modems; two class1 modems report none.
The run ends when both ends are on hook after a call attempt, 2 s later (so
the computers can finish their last commands). Exit status: 0 call completed,
1 call failed or interrupted, 2 bad options or start-up error, 3 timeout.
SIGTERM and SIGINT end the run (links are removed).
)";
}

}  // namespace vl::linesim
