// The rules of the quick configuration analysis: which pages of the wizard
// point at a setting that often keeps faxes from going through, the way
// through those pages for the trouble the user has, and the settings the
// ticked choices change.
#pragma once

#include <array>
#include <string_view>

#include "app/Settings.h"

namespace vl::app {

// Page 0 asks about the trouble, pages 1 to 8 are about sending, 9 to 13
// about receiving, and the last page ends the wizard.
inline constexpr int kAnalysisStartPage = 0;
inline constexpr int kFirstSendingPage = 1;
inline constexpr int kLastSendingPage = 8;
inline constexpr int kFirstReceivingPage = 9;
inline constexpr int kLastReceivingPage = 13;
inline constexpr int kAnalysisEndPage = 14;
inline constexpr int kAnalysisPageCount = 15;

// The pages by what they are about.
enum AnalysisPage : int {
    kPulseDialPage = 1,
    kSendClassPage,
    kSendRatePage,
    kSendResetPage,
    kSendInitPage,
    kSendEcmPage,
    kBlindDialPage,
    kIgnoreBusyPage,
    kReceiveClassPage,
    kReceiveRatePage,
    kReceiveResetPage,
    kReceiveInitPage,
    kReceiveEcmPage,
};

enum class AnalysisMode { Sending, Receiving };

// A page's choice: 0 is the page's default (box clear, or the "continue"
// choice); on a page of alternatives, 1 is the first one offered, 2 the
// second and so on.
inline constexpr int kNoChoice = 0;

// The reset strings offered, choices 1 and 2.
inline constexpr std::array<std::string_view, 2> kAnalysisResetStrings = {"ATZ", "AT&F"};

struct OfferedInitString {
    std::string_view text;  // as shown
    std::string_view initString;
};
// The init strings offered, choices 1 to 6.
extern const std::array<OfferedInitString, 6> kAnalysisInitStrings;

class ConfigurationAnalysis {
public:
    // Flags the pages from the settings; starts on page 0, sending.
    explicit ConfigurationAnalysis(const Settings& settings);

    bool Flagged(int page) const;
    bool SendingIssues() const;
    bool ReceivingIssues() const;
    // The issues of the current mode.
    bool HasIssues() const;

    AnalysisMode Mode() const { return mode_; }
    void SetMode(AnalysisMode mode) { mode_ = mode; }

    int Page() const { return page_; }
    // To the next or previous flagged page of the current mode, else to the
    // end page or page 0.
    void Next();
    void Back();
    bool BackEnabled() const { return page_ > kAnalysisStartPage; }
    bool NextEnabled() const { return page_ < kAnalysisEndPage; }

    void Choose(int page, int choice);
    int Choice(int page) const;
    // A choice is ticked on the current mode's pages, and it has issues.
    bool FinishEnabled() const;
    // The ticked choices of the current mode's pages; the other mode's
    // settings stay as they are.
    void Apply(Settings& settings) const;

private:
    int FirstPage() const;
    int LastPage() const;

    std::array<bool, kAnalysisPageCount> flags_{};
    std::array<int, kAnalysisPageCount> choices_{};
    AnalysisMode mode_ = AnalysisMode::Sending;
    int page_ = kAnalysisStartPage;
};

}  // namespace vl::app
