// The pages of the preferences wizard: their titles, and which of Back, Next
// and Finish each page offers.
#pragma once

#include <string_view>

namespace vl::app {

inline constexpr int kPreferencePageCount = 9;

// The title shown above a page and in the page list; empty outside 0..8.
std::string_view PreferencePageTitle(int page);

struct WizardButtons {
    bool back = false;
    bool next = false;
    bool finish = false;

    friend bool operator==(const WizardButtons&, const WizardButtons&) = default;
};

// On a first run the user is led through every page, so Finish waits for
// the last one; otherwise any page may end the wizard.
WizardButtons PreferenceButtons(int page, bool firstRun);

}  // namespace vl::app
