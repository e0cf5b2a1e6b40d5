#include "app/FaxLists.h"

#include <string_view>

#include "store/FaxTableLayouts.h"
#include "store/FaxTables.h"

namespace vl::app {

namespace {

constexpr std::string_view kRebuildTag = "DATEND";

// Tag names of the list orders; empty for natural order.
std::string_view TagOf(FaxLists::OutgoingOrder order) {
    switch (order) {
    case FaxLists::OutgoingOrder::DateSent:
        return "DATESENT";
    case FaxLists::OutgoingOrder::Subject:
        return "SUBJECT";
    case FaxLists::OutgoingOrder::Recipient:
        return "RECIPIENT";
    case FaxLists::OutgoingOrder::Natural:
        break;
    }
    return "";
}

std::string_view TagOf(FaxLists::IncomingOrder order) {
    switch (order) {
    case FaxLists::IncomingOrder::DateTime:
        return "DATETIME";
    case FaxLists::IncomingOrder::From:
        return "FROM";
    case FaxLists::IncomingOrder::Natural:
        break;
    }
    return "";
}

std::string CurrentTag(const store::Table& table) {
    const int order = table.Order();
    return order == 0 ? std::string() : table.Tags()[static_cast<size_t>(order - 1)].name;
}

// A tag the table lacks means natural order.
void SelectTag(store::Table& table, std::string_view tag) {
    table.SetOrder(tag.empty() ? 0 : table.TagNumber(std::string(tag)));
}

bool Listed(store::Table& table) {
    if (table.Eof() || (!table.ShowDeleted() && table.Deleted())) return false;
    return table.Filter().empty() || table.EvalLogical(table.Filter());
}

// The table when it opened, null (and closed) when it did not.
std::unique_ptr<store::Table> Opened(store::FaxTableOpenResult result) {
    return result.ok ? std::move(result.table) : nullptr;
}

}  // namespace

FaxLists::~FaxLists() { Close(); }

FaxLists::OpenResult FaxLists::Open(const std::string& programFolder) {
    Close();
    programFolder_ = programFolder;
    listFilter_ = std::string(store::kHideArchivedAtStart);
    OpenResult result;
    outgoing_ = Opened(store::OpenOrCreateOutgoing(programFolder, listFilter_));
    if (outgoing_) {
        try {
            SetOutgoingOrder(OutgoingOrder::DateSent);
            outgoing_->GoTop();
        } catch (const store::EStoreError&) {
            outgoing_.reset();
        }
    }
    result.outgoingOk = outgoing_ != nullptr;
    incoming_ = Opened(store::OpenOrCreateIncoming(programFolder));
    result.incomingOk = incoming_ != nullptr;
    try {
        ApplyListFilter();
    } catch (const store::EStoreError&) {
        result.outgoingOk = result.incomingOk = false;
        Close();
    }
    return result;
}

bool FaxLists::Close() {
    bool ok = true;
    for (auto* table : {&outgoing_, &incoming_}) {
        if (!*table) continue;
        try {
            (*table)->Close();
        } catch (const store::EStoreError&) {
            ok = false;
        }
        table->reset();
    }
    return ok;
}

bool FaxLists::HasCurrent(FaxPage page) const {
    store::Table* table = page == FaxPage::Outgoing ? outgoing_.get() : incoming_.get();
    return table && Listed(*table);
}

bool FaxLists::CurrentArchived(FaxPage page) const {
    store::Table* table = page == FaxPage::Outgoing ? outgoing_.get() : incoming_.get();
    return HasCurrent(page) && table->Logical("ARCHIVED");
}

bool FaxLists::OutgoingCurrentHasCover() const {
    return HasCurrent(FaxPage::Outgoing) && !outgoing_->Text("FAXCOVER").empty();
}

void FaxLists::KeepCurrentListed(FaxPage page) {
    store::Table* table = List(page);
    if (!table || Listed(*table)) return;
    if (table->Eof()) {
        table->GoTop();
        return;
    }
    table->Skip(1);
    if (table->Eof()) table->GoBottom();
}

void FaxLists::SetShowArchived(bool show) {
    listFilter_ = std::string(show ? std::string_view() : store::kHideArchivedAgain);
    ApplyListFilter();
}

void FaxLists::ApplyListFilter() {
    for (FaxPage page : {FaxPage::Outgoing, FaxPage::Incoming}) {
        if (store::Table* table = List(page)) {
            table->SetFilter(listFilter_);
            KeepCurrentListed(page);
        }
    }
}

FaxLists::OutgoingOrder FaxLists::GetOutgoingOrder() const {
    if (!outgoing_) return OutgoingOrder::Natural;
    const std::string tag = CurrentTag(*outgoing_);
    for (OutgoingOrder order : {OutgoingOrder::DateSent, OutgoingOrder::Subject, OutgoingOrder::Recipient})
        if (tag == TagOf(order)) return order;
    return OutgoingOrder::Natural;
}

void FaxLists::SetOutgoingOrder(OutgoingOrder order) {
    if (outgoing_) SelectTag(*outgoing_, TagOf(order));
}

FaxLists::IncomingOrder FaxLists::GetIncomingOrder() const {
    if (!incoming_) return IncomingOrder::Natural;
    const std::string tag = CurrentTag(*incoming_);
    for (IncomingOrder order : {IncomingOrder::DateTime, IncomingOrder::From})
        if (tag == TagOf(order)) return order;
    return IncomingOrder::Natural;
}

void FaxLists::SetIncomingOrder(IncomingOrder order) {
    if (incoming_) SelectTag(*incoming_, TagOf(order));
}

void FaxLists::KeepOrders() {
    if (outgoing_) {
        const bool natural = GetOutgoingOrder() == OutgoingOrder::Natural;
        if (!HasCurrent(FaxPage::Outgoing) && !natural) {
            SetOutgoingOrder(OutgoingOrder::Natural);
        } else if (HasCurrent(FaxPage::Outgoing) && natural) {
            SetOutgoingOrder(OutgoingOrder::DateSent);
            outgoing_->GoTop();
        }
    }
    if (incoming_) {
        const bool natural = GetIncomingOrder() == IncomingOrder::Natural;
        if (!HasCurrent(FaxPage::Incoming) && !natural) {
            SetIncomingOrder(IncomingOrder::Natural);
        } else if (HasCurrent(FaxPage::Incoming) && natural) {
            SetIncomingOrder(IncomingOrder::DateTime);
            incoming_->GoTop();
        }
    }
}

bool FaxLists::ReloadOutgoing() { return Reload(FaxPage::Outgoing); }
bool FaxLists::ReloadIncoming() { return Reload(FaxPage::Incoming); }

bool FaxLists::Reload(FaxPage page) {
    std::unique_ptr<store::Table>& table = page == FaxPage::Outgoing ? outgoing_ : incoming_;
    if (!table) return false;
    const uint32_t recno = HasCurrent(page) ? table->RecNo() : 0;
    const std::string tag = CurrentTag(*table);
    try {
        table->Close();
    } catch (const store::EStoreError&) {
        // An index left unwritten is rebuilt when the table opens again.
    }
    table = Opened(page == FaxPage::Outgoing ? store::OpenOrCreateOutgoing(programFolder_, listFilter_)
                                             : store::OpenOrCreateIncoming(programFolder_));
    if (!table) return false;
    try {
        table->SetFilter(listFilter_);
        SelectTag(*table, tag);
        if (recno != 0) {
            table->Go(recno);
        } else {
            table->GoTop();
        }
        KeepCurrentListed(page);
    } catch (const store::EStoreError&) {
        table.reset();
        return false;
    }
    return true;
}

bool FaxLists::NeedsIndexRebuild() const {
    for (const store::Table* table : {outgoing_.get(), incoming_.get()})
        if (table && table->TagNumber(std::string(kRebuildTag)) == 0) return true;
    return false;
}

}  // namespace vl::app
