// The two fax lists of the main window: the outgoing and incoming tables,
// the list filter that hides archived faxes, the list orders and reloads.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "app/CommandState.h"
#include "store/Table.h"

namespace vl::app {

class FaxLists {
public:
    struct OpenResult {
        bool outgoingOk = false;
        bool incomingOk = false;
    };
    enum class OutgoingOrder { Natural, DateSent, Subject, Recipient };
    enum class IncomingOrder { Natural, DateTime, From };

    FaxLists() = default;
    ~FaxLists();
    FaxLists(const FaxLists&) = delete;
    FaxLists& operator=(const FaxLists&) = delete;

    // Opens or creates both tables in the program folder: the outgoing one in
    // date-sent order on its first listed record, then the incoming one
    // (tried even when the first failed); then the list filter goes on both.
    // A table that fails stays closed; the window closes the program.
    OpenResult Open(const std::string& programFolder);
    // False when a table's last changes could not be written.
    bool Close();

    store::Table* Outgoing() { return outgoing_.get(); }  // null when not open
    store::Table* Incoming() { return incoming_.get(); }
    store::Table* List(FaxPage page) { return page == FaxPage::Outgoing ? Outgoing() : Incoming(); }
    const std::string& ProgramFolder() const { return programFolder_; }

    // A record of the list is current: the table is open and its current
    // record passes the list filter.
    bool HasCurrent(FaxPage page) const;
    bool CurrentArchived(FaxPage page) const;
    bool OutgoingCurrentHasCover() const;
    // After a change that may have hidden the current record (archived under
    // the default filter, deleted), the next listed record becomes current,
    // or the last one when it was at the end.
    void KeepCurrentListed(FaxPage page);

    // ".not. archived" at start, "" while archived faxes are shown,
    // ".not. ARCHIVED" once they are hidden again; always on both tables.
    const std::string& ListFilter() const { return listFilter_; }
    bool ShowArchived() const { return listFilter_.empty(); }
    void SetShowArchived(bool show);
    // Puts the list filter on both tables again (after an index rebuild).
    void ApplyListFilter();

    OutgoingOrder GetOutgoingOrder() const;
    void SetOutgoingOrder(OutgoingOrder order);
    IncomingOrder GetIncomingOrder() const;
    void SetIncomingOrder(IncomingOrder order);
    // An empty list goes to natural order; a list with faxes and no order
    // gets date order (date sent, date received) and its first record.
    void KeepOrders();

    // Closes and reopens the table, then restores the filter, the order and
    // the current record (when it still exists). False when the table could
    // not be opened again; it is then closed.
    bool ReloadOutgoing();
    bool ReloadIncoming();

    // Either open table lacks the tag that only the index rebuild makes.
    bool NeedsIndexRebuild() const;

private:
    bool Reload(FaxPage page);

    std::string programFolder_;
    std::string listFilter_;
    std::unique_ptr<store::Table> outgoing_;
    std::unique_ptr<store::Table> incoming_;
};

}  // namespace vl::app
