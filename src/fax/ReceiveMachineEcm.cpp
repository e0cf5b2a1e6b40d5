// The receive machine's Class 1 error correction: after CFR the page comes as
// numbered frames at the page speed, a block at a time; the PPS after each
// block tells how many frames it held, and the answer is MCF when all are
// here or PPR with the map of those that are not. A page goes to the receive
// file only once all its blocks are whole; a page with a block the sender
// gave up (EOR) is not stored.
#include <algorithm>
#include <string>

#include "base/ErrorCodes.h"
#include "fax/Class1Frames.h"
#include "fax/EcmFrames.h"
#include "fax/FaxEngine.h"
#include "fax/ReceiveMachine.h"
#include "fax/ResponseChecks.h"

namespace vl::fax {
namespace {

// After this many PPRs for a block the sender speaks next on V.21: CTC or EOR.
constexpr int kPprsBeforeCtc = 4;

}  // namespace

std::string ReceiveMachine::EcmModulation() {
    const ModemRecord& modem = Engine().Modem();
    return ecm_.longTrain ? modem.modulation : modem.pageModulation;
}

void ReceiveMachine::StartEcmFrames() {
    if (ecm_.newPage) {
        ecm_.blocks.StartPage();
        ecm_.pageBad = false;
        ecm_.newPage = false;
        ecm_.blockFrames = 0;
    }
    ecm_.pendingFrame = false;
    ecm_.abortedWait = false;
    ecm_.modulation = EcmModulation();
    ecm_.longTrain = false;
    Engine().ReceiveFrame(ecm_.modulation);
    Go(rf1EcmFrame);
}

void ReceiveMachine::TakeEcmFrame(const Input& in) {
    if (in.frame) {
        // Kept until the modem's OK says its check sequence was good.
        ecm_.frame = Engine().LastFrame();
        ecm_.pendingFrame = true;
        return;
    }
    if (!in.line)
        return;
    const std::string& line = Engine().Response();
    if (HasNoCarrier(line)) {
        // The block's carrier has ended: its PPS follows on V.21.
        frameRetries_ = 0;
        Engine().ReceiveFrame();
        Go(rf1EcmCmd);
        return;
    }
    if (!HasOk(line))
        return;
    if (ecm_.pendingFrame) {
        ecm_.pendingFrame = false;
        if (RecogniseFcf(ecm_.frame.fcf) == FrameKind::Fcd) {
            if (const auto fcd = ReadFcd(ecm_.frame))
                ecm_.blocks.Take(fcd->number, fcd->data);
        }
    } else if (ecm_.abortedWait) {
        ecm_.abortedWait = false;
        frameRetries_ = 0;
        Engine().ReceiveFrame();
        Go(rf1EcmCmd);
        return;
    }
    Engine().ReceiveFrame(ecm_.modulation);
}

void ReceiveMachine::EcmFrameError() {
    ecm_.pendingFrame = false;
    if (Engine().Response().find("+FCERROR") != std::string::npos) {
        // V.21 where frames were awaited: the sender's command is on its way.
        frameRetries_ = 0;
        Engine().ReceiveFrame();
        Go(rf1EcmCmd);
        return;
    }
    // A frame with a bad check sequence: it stays missing from the map.
    Engine().ReceiveFrame(ecm_.modulation);
}

void ReceiveMachine::TakeEcmCommand(const Input& in) {
    if (!CommandFrameIn(in))
        return;
    ModemRecord& modem = Engine().Modem();
    const HdlcFrame& frame = Engine().LastFrame();
    switch (RecogniseFcf(frame.fcf)) {
    case FrameKind::Pps:
        TakeEcmPps(frame);
        return;
    case FrameKind::Ctc: {
        // Correction goes on at the speed the CTC names, trained in full.
        const std::uint8_t dcs[] = {frame.info.empty() ? std::uint8_t{0} : frame.info[0],
                                    frame.info.size() > 1 ? frame.info[1] : std::uint8_t{0}, 0};
        if (const auto speed = DecodeDcs(dcs)) {
            modem.speedIndex = speed->chosenIndex;
            modem.modulation = std::string(speed->modulation.longTraining);
            modem.pageModulation = std::string(speed->modulation.shortTraining);
            modem.params.bps = speed->params.bps;
        }
        ecm_.pprs = 0;
        ecm_.longTrain = true;
        ecm_.pageEnds = false;
        AnswerEcm(BuildFrame(fcf::kCtr, {}, true));
        return;
    }
    case FrameKind::Eor: {
        // The block is given up, and with it the page.
        ecm_.pageBad = true;
        ecm_.blocks.StartPage();
        ecm_.blockFrames = 0;
        ecm_.pprs = 0;
        const std::uint8_t command = frame.info.empty() ? 0 : frame.info[0] & 0xFE;
        ecm_.pageEnds = command != 0;
        if (ecm_.pageEnds) {
            morePages_ = command == (fcf::kMps & 0xFE) || command == (fcf::kEom & 0xFE);
            modem.endOfMessage = command == (fcf::kEom & 0xFE);
        }
        Engine().Port().LogUserText("ECM: a block of page " +
                                    std::to_string(file_.NextPageNumber()) + " given up");
        AnswerEcm(BuildFrame(fcf::kErr, {}, true));
        return;
    }
    case FrameKind::Rr:
        if (!ecm_.lastAnswer.empty()) {
            AnswerEcm(ecm_.lastAnswer);
            return;
        }
        break;
    default:
        break;
    }
    Engine().ReceiveFrame();
}

void ReceiveMachine::TakeEcmPps(const HdlcFrame& frame) {
    const auto pps = ReadPps(frame);
    if (!pps) {
        Engine().ReceiveFrame();
        return;
    }
    ecm_.pageEnds = false;
    if (ecm_.lastClosedValid && pps->page == ecm_.lastClosedPage && pps->block == ecm_.lastClosedBlock &&
        ecm_.blocks.FramesHeld() == 0) {
        // Our MCF was lost and the sender asks again about a block we have.
        AnswerEcm(BuildFrame(fcf::kMcf, {}, true));
        return;
    }
    // Some senders count in a PPS after frames sent again only those frames:
    // the block holds as many as its first PPS said.
    const int frames = std::max(ecm_.blockFrames, pps->frames);
    ecm_.blockFrames = frames;
    const FrameMap missing = ecm_.blocks.Missing(frames);
    if (missing.Count() != 0) {
        ++ecm_.pprs;
        Engine().Port().LogUserText("ECM: block " + std::to_string(pps->block + 1) + " page " +
                                    std::to_string(file_.NextPageNumber()) + ": " +
                                    std::to_string(missing.Count()) + " frames asked again");
        AnswerEcm(BuildPprFrame(missing));
        return;
    }
    ecm_.blocks.CloseBlock(frames);
    ecm_.blockFrames = 0;
    ecm_.lastClosedValid = true;
    ecm_.lastClosedPage = pps->page;
    ecm_.lastClosedBlock = pps->block;
    ecm_.pprs = 0;
    if (pps->command == 0) {
        AnswerEcm(BuildFrame(fcf::kMcf, {}, true));
        return;
    }
    morePages_ = pps->command == (fcf::kMps & 0xFE) || pps->command == (fcf::kEom & 0xFE);
    Engine().Modem().endOfMessage = pps->command == (fcf::kEom & 0xFE);
    Engine().SetProgress(base::fpGettingPageEnd);
    if (ecm_.pageBad) {
        ecm_.pageEnds = true;
        AnswerEcm(BuildFrame(fcf::kMcf, {}, true));
        return;
    }
    StoreEcmPage();
}

void ReceiveMachine::AnswerEcm(std::vector<std::uint8_t> frame) {
    ecm_.lastAnswer = std::move(frame);
    Engine().SendInCallCommand("AT+FTH=3");
    Go(rf1EcmAnswer);
}

void ReceiveMachine::EcmAnswered(const Input& in) {
    if (!in.line)
        return;
    const std::string& line = Engine().Response();
    if (HasConnect(line)) {
        Engine().SendFrame(ecm_.lastAnswer);
        Engine().ResetResponse();
        return;
    }
    if (!HasOk(line))
        return;
    if (ecm_.pageEnds) {
        AfterEcmPage();
        return;
    }
    if (ecm_.pprs >= kPprsBeforeCtc) {
        frameRetries_ = 0;
        Engine().ReceiveFrame();
        Go(rf1EcmCmd);
        return;
    }
    StartEcmFrames();
}

void ReceiveMachine::StoreEcmPage() {
    StartPage();
    if (state_ != rfGtPgDta)
        return;  // the file failed, and the call with it
    // Into the file as page data from the modem goes, re-coded to MH.
    const std::vector<std::uint8_t>& page = ecm_.blocks.Page();
    if (const int rc = StorePageBytes(page); rc != 0) {
        Fail(rc);
        return;
    }
    Engine().Session().pages.bytes = static_cast<long>(page.size());
    ecm_.newPage = true;
    Go(rf1WritePage);
}

void ReceiveMachine::AfterEcmPage() {
    ecm_.newPage = true;
    if (morePages_ && Engine().Modem().endOfMessage) {
        Engine().PauseMs(kExtraPauseMs);
        Engine().SendInCallCommand("AT+FTH=3");
        Go(rf1SendCSI);
        return;
    }
    if (morePages_) {
        arrival_ = PageArrival::MorePages;
        StartEcmFrames();
        return;
    }
    Engine().PauseMs(kExtraPauseMs);
    frameRetries_ = 0;
    Engine().ReceiveFrame();
    Go(rf1WaitDCN);
    CloseReceivedFax();
}

}  // namespace vl::fax
