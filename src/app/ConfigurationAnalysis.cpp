#include "app/ConfigurationAnalysis.h"

#include <algorithm>
#include <string>

namespace vl::app {

const std::array<OfferedInitString, 6> kAnalysisInitStrings = {{
    {"Generic string for Hayes compatible modems (most modems) ", "AT&F&C1&D2&K3S7=90"},
    {"Basic string for US Robotics (aka 3COM) modems", "AT&H3&I2&R2S7=90"},
    {"Basic string for for Cirrus Logic/AT&T modems (very rare)", "AT&F&C1&D2\\Q3S7=90"},
    {"For older US Robotics Sportster 28.8 or Early 33.6 models", "AT&H3&I2&R2S7=90S36=0"},
    {"For US Robotics  Late Model Sportster 33.6 models", "AT&H3&I2&R2S7=90S36=8"},
    {"For US Robotics Sportster X2 modems (56K)", "AT&H3&I2&R2S7=90S36=8S33=34"},
}};

namespace {

// The fastest rate that still gets through on most lines and modems.
constexpr int kSafeRate = 9600;
constexpr int kClass1 = 1;
constexpr int kPulse = 1;
constexpr int kTone = 0;

// Whether a choice is one of the `count` alternatives a page offers.
bool Offered(int choice, std::size_t count)
{
    return choice >= 1 && choice <= static_cast<int>(count);
}

void ApplyReset(int choice, Settings& settings)
{
    if (Offered(choice, kAnalysisResetStrings.size()))
        settings.String = std::string(kAnalysisResetStrings[choice - 1]);
}

void ApplyInit(int choice, std::string& initString)
{
    if (Offered(choice, kAnalysisInitStrings.size()))
        initString = std::string(kAnalysisInitStrings[choice - 1].initString);
}

}  // namespace

ConfigurationAnalysis::ConfigurationAnalysis(const Settings& settings)
{
    flags_[kPulseDialPage] = settings.ToneOrPulse == kPulse;
    flags_[kSendClassPage] = settings.FaxClass != kClass1;
    flags_[kSendRatePage] = settings.MaximumBPS > kSafeRate;
    flags_[kSendResetPage] = settings.String.empty();
    flags_[kSendInitPage] = settings.InitString.empty();
    flags_[kSendEcmPage] = settings.ECM;
    flags_[kBlindDialPage] = settings.BlindDial;
    flags_[kIgnoreBusyPage] = settings.IgnoreBusy;
    flags_[kReceiveClassPage] = settings.FaxClassReceive != kClass1;
    flags_[kReceiveRatePage] = settings.MaximumBPSReceive > kSafeRate;
    flags_[kReceiveResetPage] = settings.String.empty();
    flags_[kReceiveInitPage] = settings.InitStringReceive.empty();
    flags_[kReceiveEcmPage] = settings.ECMReceive;
    flags_[kAnalysisEndPage] = true;
}

bool ConfigurationAnalysis::Flagged(int page) const
{
    return page >= 0 && page < kAnalysisPageCount && flags_[page];
}

bool ConfigurationAnalysis::SendingIssues() const
{
    return std::any_of(flags_.begin() + kFirstSendingPage, flags_.begin() + kLastSendingPage + 1,
                       [](bool flag) { return flag; });
}

bool ConfigurationAnalysis::ReceivingIssues() const
{
    return std::any_of(flags_.begin() + kFirstReceivingPage, flags_.begin() + kLastReceivingPage + 1,
                       [](bool flag) { return flag; });
}

bool ConfigurationAnalysis::HasIssues() const
{
    return mode_ == AnalysisMode::Sending ? SendingIssues() : ReceivingIssues();
}

int ConfigurationAnalysis::FirstPage() const
{
    return mode_ == AnalysisMode::Sending ? kFirstSendingPage : kFirstReceivingPage;
}

int ConfigurationAnalysis::LastPage() const
{
    return mode_ == AnalysisMode::Sending ? kLastSendingPage : kLastReceivingPage;
}

void ConfigurationAnalysis::Next()
{
    for (int page = std::max(page_ + 1, FirstPage()); page <= LastPage(); ++page) {
        if (flags_[page]) {
            page_ = page;
            return;
        }
    }
    page_ = kAnalysisEndPage;
}

void ConfigurationAnalysis::Back()
{
    for (int page = std::min(page_ - 1, LastPage()); page >= FirstPage(); --page) {
        if (flags_[page]) {
            page_ = page;
            return;
        }
    }
    page_ = kAnalysisStartPage;
}

void ConfigurationAnalysis::Choose(int page, int choice)
{
    if (page >= 0 && page < kAnalysisPageCount)
        choices_[page] = choice;
}

int ConfigurationAnalysis::Choice(int page) const
{
    return page >= 0 && page < kAnalysisPageCount ? choices_[page] : kNoChoice;
}

bool ConfigurationAnalysis::FinishEnabled() const
{
    const bool ticked = std::any_of(choices_.begin() + FirstPage(), choices_.begin() + LastPage() + 1,
                                    [](int choice) { return choice != kNoChoice; });
    return ticked && HasIssues();
}

void ConfigurationAnalysis::Apply(Settings& settings) const
{
    const auto ticked = [this](int page) { return choices_[page] != kNoChoice; };
    if (mode_ == AnalysisMode::Sending) {
        if (ticked(kPulseDialPage))
            settings.ToneOrPulse = kTone;
        if (ticked(kSendClassPage))
            settings.FaxClass = kClass1;
        if (ticked(kSendRatePage))
            settings.MaximumBPS = kSafeRate;
        ApplyReset(choices_[kSendResetPage], settings);
        ApplyInit(choices_[kSendInitPage], settings.InitString);
        if (ticked(kSendEcmPage))
            settings.ECM = false;
        if (ticked(kBlindDialPage))
            settings.BlindDial = false;
        if (ticked(kIgnoreBusyPage))
            settings.IgnoreBusy = false;
        return;
    }
    if (ticked(kReceiveClassPage))
        settings.FaxClassReceive = kClass1;
    if (ticked(kReceiveRatePage))
        settings.MaximumBPSReceive = kSafeRate;
    ApplyReset(choices_[kReceiveResetPage], settings);
    ApplyInit(choices_[kReceiveInitPage], settings.InitStringReceive);
    if (ticked(kReceiveEcmPage))
        settings.ECMReceive = false;
}

}  // namespace vl::app
