// What the engine does with every Class 1 frame it receives, in any state:
// remember its FCF and final bit, take the remote ID, the remote's
// capabilities or the caller's session choice, and tell the machine what the
// frame asks of it.
#include "base/ErrorCodes.h"
#include "fax/Class1Negotiation.h"
#include "fax/FaxEngine.h"

namespace vl::fax {

CodingCaps FaxEngine::Class1CodingCaps() const
{
    return OfferedCaps(modem_.desiredCoding, modem_.desiredEcm == '1');
}

FrameAction FaxEngine::ApplyFrame(const HdlcFrame& frame)
{
    modem_.lastFcf = frame.fcf;
    modem_.lastFrameFinal = frame.final;
    switch (RecogniseFcf(frame.fcf)) {
    case FrameKind::RemoteId:
        SetRemoteId(RemoteIdFromFrame(frame));
        SetProgress(base::fpGotRemoteId);
        return FrameAction::None;
    case FrameKind::Ftt:
    case FrameKind::Rtn:
        return FrameAction::Retrain;
    case FrameKind::Dis: {
        const bool fine = modem_.resolution == '1';
        const auto dis = DecodeDis(frame.info, modem_.localSpeeds, modem_.desiredBps, fine, modem_.wide,
                                   Class1CodingCaps());
        if (!dis)
            return FrameAction::None;
        modem_.remoteSpeeds = dis->remote;
        modem_.remoteFine = dis->remoteFine;
        modem_.remoteWide = dis->remoteWide;
        modem_.speedIndex = dis->chosenIndex;
        modem_.params = dis->params;
        modem_.params.bps = SpeedAt(dis->chosenIndex).bps;
        RecomputeMinBytes(modem_.params);
        if (!RemoteTakesPage(*dis, fine, modem_.wide))
            return FrameAction::Incompatible;
        SetProgress(base::fpSessionParams);
        return FrameAction::None;
    }
    case FrameKind::Dcs: {
        const auto dcs = DecodeDcs(frame.info);
        if (!dcs)
            return FrameAction::None;
        modem_.speedIndex = dcs->chosenIndex;
        modem_.modulation = std::string(dcs->modulation.longTraining);
        modem_.pageModulation = std::string(dcs->modulation.shortTraining);
        modem_.params = dcs->params;
        SetProgress(base::fpSessionParams);
        return FrameAction::None;
    }
    case FrameKind::Cfr:
        modem_.trainingOk = true;
        return FrameAction::None;
    case FrameKind::Dcn:
        return FrameAction::Disconnect;
    default:
        return FrameAction::None;
    }
}

}  // namespace vl::fax
