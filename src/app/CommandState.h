// Which commands of the main window are enabled, worked out from the page on
// show and the current fax of each list, with no window in sight.
#pragma once

#include <string>

namespace vl::app {

enum class FaxPage { Outgoing = 0, Incoming = 1 };

struct CommandInputs {
    FaxPage page = FaxPage::Outgoing;
    bool outgoingHasCurrent = false;
    bool outgoingCurrentHasCover = false;
    bool outgoingCurrentArchived = false;
    bool incomingHasCurrent = false;
    bool incomingCurrentArchived = false;
    bool sendEnabledBefore = false;  // the send button keeps this on the incoming page
};

// One flag per button; each menu item follows its button.
struct CommandStates {
    bool sort = false, newCover = false, addCover = false, send = false, del = false, edit = false, view = false,
         clone = false, print = false, archive = false, forward = false;
    std::string archiveCaption;  // "&Archive", or "Un&Archive" when the visible current fax is archived
};

CommandStates ComputeCommandStates(const CommandInputs& in);

// "Add C&over" alone, as it is updated whenever the current outgoing fax
// changes: a fax is there and has no cover yet.
bool AddCoverEnabled(bool outgoingHasCurrent, bool outgoingCurrentHasCover);

}  // namespace vl::app
