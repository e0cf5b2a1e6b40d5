// Arbitrary modem output through the response collector, in line mode and with
// frames expected, and through the readers of single reply lines: the class
// list, the hang-up code, the Class 2 reports (session parameters, station
// IDs, page status) and the reply reader of prepared commands. Every line
// must come out trimmed, non-empty and within the buffer; every frame must
// start at its address byte and stay within the frame buffer.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "fax/Class2Parameters.h"
#include "fax/Class2Vocabulary.h"
#include "fax/FaxClassList.h"
#include "fax/ResponseChecks.h"
#include "fax/ResponseCollector.h"
#include "fax/SyncReplyReader.h"

using vl::fuzz::Check;

namespace {

bool Trimmed(const std::string& line) {
    auto edge = [](char c) { return static_cast<unsigned char>(c) <= ' ' || c == 0x7F; };
    return !line.empty() && !edge(line.front()) && !edge(line.back());
}

// A line read as each Class 2 report the machines take from a modem.
void Class2Reports(const std::string& line) {
    const vl::fax::SessionParams params = vl::fax::ParseSessionParams(line);
    Check(params.bps >= 2400 && params.bps <= 14400 && params.minBytesPerLine >= 0);
    Check(vl::fax::CleanRemoteId(line).size() <= 20);
    vl::fax::PageStatus(line);
    for (const int faxClass : {3, 4}) {
        const vl::fax::Class2Vocabulary names = vl::fax::VocabularyFor(faxClass);
        vl::fax::IsReport(line, names.sessionParameters);
        vl::fax::IsReport(line, names.pageStatus);
    }
}

// The first byte picks when a frame is expected: bit 0 at the start, bit 1
// again after every line (as after "CONNECT"), bit 2 again after every frame.
void Collect(const std::uint8_t* data, std::size_t size) {
    using vl::fax::ResponseCollector;
    const std::uint8_t how = size > 0 ? data[0] : 0;
    ResponseCollector collector;
    if (how & 1) collector.ExpectFrame();
    for (std::size_t i = 1; i < size; ++i) {
        switch (collector.Feed(data[i])) {
            case ResponseCollector::Event::Line:
                Check(Trimmed(collector.Line()) && collector.Line().size() <= ResponseCollector::kMaxLine);
                vl::fax::HangupCode(collector.Line());
                Check(vl::fax::ChosenFaxClass(vl::fax::ParseFaxClassList(collector.Line())) <= 4);
                Class2Reports(collector.Line());
                if (how & 2) collector.ExpectFrame();
                break;
            case ResponseCollector::Event::Frame: {
                const auto& frame = collector.Frame();
                Check(frame.size() <= ResponseCollector::kMaxFrame);
                Check(frame.empty() || frame.front() == 0xFF);
                Check(!collector.ReceivingFrame());
                if (how & 4) collector.ExpectFrame();
                break;
            }
            case ResponseCollector::Event::None: break;
        }
    }
}

void ReadReply(const std::uint8_t* data, std::size_t size) {
    vl::fax::SyncReplyReader reader("AT+FCLASS=?");
    for (std::size_t i = 0; i < size; ++i) {
        if (reader.Feed(data[i]) != vl::fax::SyncReplyReader::Result::NeedMore) break;
    }
    Check(reader.Info().size() <= vl::fax::SyncReplyReader::kMaxLine);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Collect(data, size);
    ReadReply(data, size);
    std::string_view text(reinterpret_cast<const char*>(data), size);
    int code = vl::fax::HangupCode(text);
    Check(code >= 0 && code <= 999);
    vl::fax::CapabilityBits(vl::fax::ParseFaxClassList(text));
    return 0;
}
