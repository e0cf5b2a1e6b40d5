#include "app/CommandState.h"

#include "app/FaxListTexts.h"

namespace vl::app {

CommandStates ComputeCommandStates(const CommandInputs& in) {
    CommandStates s;
    s.sort = true;
    bool archived = false;
    if (in.page == FaxPage::Outgoing) {
        const bool any = in.outgoingHasCurrent;
        s.newCover = true;
        s.addCover = AddCoverEnabled(any, in.outgoingCurrentHasCover);
        s.send = s.del = s.edit = s.view = s.clone = any;
        archived = any && in.outgoingCurrentArchived;
    } else {
        const bool any = in.incomingHasCurrent;
        s.send = in.sendEnabledBefore;
        s.edit = s.del = s.view = any;
        s.forward = any;
        archived = any && in.incomingCurrentArchived;
    }
    s.print = s.view;
    s.archive = s.del;
    s.archiveCaption = std::string(archived ? kUnarchiveCaption : kArchiveCaption);
    return s;
}

bool AddCoverEnabled(bool outgoingHasCurrent, bool outgoingCurrentHasCover) {
    return outgoingHasCurrent && !outgoingCurrentHasCover;
}

}  // namespace vl::app
