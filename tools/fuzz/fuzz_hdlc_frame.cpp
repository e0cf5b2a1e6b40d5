// Arbitrary bytes as a frame a Class 1 modem delivered (DLE pairs already
// undone), then its DIS/DCS decoding, remote ID and error correction fields
// (FCD into a block, PPS, PPR); the same bytes also as a modulation list and
// as a training sequence. Bad input must be refused or
// read into values inside their tables, never crash.
#include <cstdint>
#include <span>
#include <string_view>

#include "fax/Class1Frames.h"
#include "fax/Class1Negotiation.h"
#include "fax/Class1Speeds.h"
#include "fax/Class1Training.h"
#include "fax/EcmBlockReceiver.h"
#include "fax/EcmFrames.h"

namespace {

using namespace vl::fax;

void CheckParams(const SessionParams& params) {
    if (params.stCode < 0 || params.stCode > kMaxScanTimeCode) __builtin_trap();
    if (params.bps < SpeedAt(kLowestSpeedIndex).bps || params.bps > SpeedAt(kHighestSpeedIndex).bps) __builtin_trap();
    if (params.minBytesPerLine < 0 || params.minBytesPerLine > 72) __builtin_trap();
}

void CheckIndex(int index) {
    if (index < kLowestSpeedIndex || index > kHighestSpeedIndex) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    const SpeedSet local = SpeedsFromModulationList(std::string_view(reinterpret_cast<const char*>(data), size));
    CheckIndex(local.Highest());

    TrainingCheck training;
    for (std::uint8_t byte : bytes) training.Take(byte);
    if (training.Total() > size || training.NonZero() > training.Total()) __builtin_trap();

    const auto frame = ParseFrame(bytes);
    if (!frame) return 0;
    if (frame->info.size() + 3 > size) __builtin_trap();
    RecogniseFcf(frame->fcf);
    if (RemoteIdFromFrame(*frame).size() > 20) __builtin_trap();

    if (const auto fcd = ReadFcd(*frame)) {
        if (fcd->number < 0 || fcd->number >= kEcmMaxFrames) __builtin_trap();
        EcmBlockReceiver block;
        block.Take(fcd->number, fcd->data);
        if (block.FramesHeld() != 1 || block.Missing(fcd->number + 1).Has(fcd->number)) __builtin_trap();
        if (!block.CloseBlock(fcd->number + 1) && fcd->number == 0) __builtin_trap();
    }
    if (const auto pps = ReadPps(*frame)) {
        if (pps->frames < 1 || pps->frames > kEcmMaxFrames) __builtin_trap();
    }
    if (const auto ppr = ReadPpr(*frame)) {
        if (ppr->Count() > kEcmMaxFrames) __builtin_trap();
    }

    const int desired = size > 0 ? data[0] * 100 : 0;
    const CodingCaps ours = OfferedCaps(vl::faxdoc::PageCoding::Mmr, size > 1 && (data[1] & 1) != 0);
    if (const auto dis = DecodeDis(frame->info, local, desired, frame->final, !frame->final, ours)) {
        CheckIndex(dis->chosenIndex);
        CheckParams(dis->params);
        // Never MMR without error correction, nor anything we did not offer.
        if (dis->params.coding == vl::faxdoc::PageCoding::Mmr && !dis->params.ecm) __builtin_trap();
        if (dis->params.ecm && !ours.ecm) __builtin_trap();
        if (dis->chosenIndex > kLowestSpeedIndex && SpeedAt(dis->chosenIndex).bps > desired) __builtin_trap();
        if (LowerSpeed(dis->chosenIndex, local, dis->remote) >= dis->chosenIndex) __builtin_trap();
    }
    if (const auto dcs = DecodeDcs(frame->info)) {
        CheckIndex(dcs->chosenIndex);
        CheckParams(dcs->params);
        if (dcs->modulation.longTraining.empty() || dcs->modulation.shortTraining.empty()) __builtin_trap();
        // What we would answer with decodes to the same choice.
        const LineCoding coding{dcs->params.coding, dcs->params.ecm};
        const auto again =
            DecodeDcs(DcsInfo(dcs->chosenIndex, dcs->params.fine, dcs->params.wide, dcs->params.stCode, coding));
        if (!again || again->params.bps != dcs->params.bps || again->params.fine != dcs->params.fine) __builtin_trap();
        if (again->params.ecm != dcs->params.ecm) __builtin_trap();
        if (dcs->params.ecm && again->params.coding != dcs->params.coding) __builtin_trap();
    }

    // The frame sent back out parses to the same address, control and FCF.
    const auto wire = BuildFrame(frame->fcf, frame->info, frame->final);
    if (wire.size() < 5 || wire[wire.size() - 2] != 0x10 || wire.back() != 0x03) __builtin_trap();
    return 0;
}
