// Moving through the visible records of a Table in its current order.
#include "store/Table.h"
#include "store/TableState.h"

namespace vl::store {

bool TableState::Visible(uint32_t recno) const {
    const std::string_view record = dbf->Record(recno);
    if (!showDeleted && record[0] == '*') return false;
    return !filter || filter->IsTrue(record);
}

uint32_t TableState::Found(TagIndex::Iterator it) {
    walkValid = true;
    walkAt = it;
    walkVersion = tags[order - 1]->Version();
    walkOrder = order;
    return *it;
}

TagIndex::Iterator TableState::Place(const TagIndex& tag, uint32_t recno) const {
    if (walkValid && walkOrder == order && walkVersion == tag.Version() && *walkAt == recno) return walkAt;
    // A record outside the tag (a condition it fails) stands where its key would.
    return tag.LowerBound(recno);
}

uint32_t TableState::First() {
    if (order == 0) {
        for (uint32_t r = 1; r <= dbf->Count(); ++r)
            if (Visible(r)) return r;
        return 0;
    }
    const TagIndex& tag = *tags[order - 1];
    for (auto it = tag.Begin(); it != tag.End(); ++it)
        if (Visible(*it)) return Found(it);
    return 0;
}

uint32_t TableState::Last() {
    if (order == 0) {
        for (uint32_t r = dbf->Count(); r >= 1; --r)
            if (Visible(r)) return r;
        return 0;
    }
    const TagIndex& tag = *tags[order - 1];
    for (auto it = tag.End(); it != tag.Begin();) {
        --it;
        if (Visible(*it)) return Found(it);
    }
    return 0;
}

uint32_t TableState::Next(uint32_t recno) {
    if (order == 0) {
        for (uint32_t r = recno + 1; r <= dbf->Count(); ++r)
            if (Visible(r)) return r;
        return 0;
    }
    const TagIndex& tag = *tags[order - 1];
    auto it = Place(tag, recno);
    if (it != tag.End() && *it == recno) ++it;
    while (it != tag.End() && !Visible(*it)) ++it;
    return it == tag.End() ? 0 : Found(it);
}

uint32_t TableState::Prev(uint32_t recno) {
    if (order == 0) {
        for (uint32_t r = recno - 1; r >= 1; --r)
            if (Visible(r)) return r;
        return 0;
    }
    const TagIndex& tag = *tags[order - 1];
    auto it = Place(tag, recno);
    while (it != tag.Begin()) {
        --it;
        if (Visible(*it)) return Found(it);
    }
    return 0;
}

void Table::GoTop() {
    s_->CheckOpen();
    s_->PostPending();
    s_->Sync();
    s_->current = s_->First();
    s_->eof = s_->bof = s_->current == 0;
}

void Table::GoBottom() {
    s_->CheckOpen();
    s_->PostPending();
    s_->Sync();
    s_->current = s_->Last();
    s_->eof = s_->bof = s_->current == 0;
}

void Table::Skip(long count) {
    TableState& s = *s_;
    s.CheckOpen();
    s.PostPending();
    s.Sync();
    for (; count > 0; --count) {
        const uint32_t next = s.current == 0 ? 0 : s.Next(s.current);
        s.current = next;
        s.bof = false;
        s.eof = next == 0;
        if (next == 0) return;
    }
    for (; count < 0; ++count) {
        const uint32_t prev = s.current == 0 ? s.Last() : s.Prev(s.current);
        if (prev == 0) {
            // Before the first record: it stays current, unless none is visible.
            s.bof = true;
            s.eof = s.current == 0;
            return;
        }
        s.current = prev;
        s.eof = s.bof = false;
    }
}

void Table::Visit(const std::function<void()>& visit) {
    TableState& s = *s_;
    s.CheckOpen();
    s.PostPending();
    s.Sync();
    const uint32_t current = s.current;
    const bool eof = s.eof;
    const bool bof = s.bof;
    for (uint32_t r = s.First(); r != 0; r = s.Next(r)) {
        s.current = r;
        s.eof = s.bof = false;
        visit();
    }
    s.current = current;
    s.eof = eof;
    s.bof = bof;
}

bool Table::Eof() const {
    s_->CheckOpen();
    return s_->eof;
}

bool Table::Bof() const {
    s_->CheckOpen();
    return s_->bof;
}

void Table::Go(uint32_t recno) {
    s_->CheckOpen();
    s_->PostPending();
    s_->Sync();
    const bool inRange = recno >= 1 && recno <= s_->Count();
    s_->current = inRange ? recno : 0;
    s_->eof = !inRange;
    s_->bof = s_->Count() == 0;
}

uint32_t Table::RecNo() const {
    s_->CheckOpen();
    return s_->current != 0 ? s_->current : s_->Count() + 1;
}

uint32_t Table::RecCount() const {
    s_->CheckOpen();
    return s_->Count();
}

void Table::SetFilter(const std::string& expr) {
    s_->CheckOpen();
    if (expr.empty()) {
        s_->filter.reset();
    } else {
        s_->filter = s_->ParseLogical(expr, "filter");
    }
    s_->filterText = expr;
}

const std::string& Table::Filter() const { return s_->filterText; }

void Table::SetShowDeleted(bool show) {
    s_->CheckOpen();
    s_->showDeleted = show;
}

bool Table::ShowDeleted() const { return s_->showDeleted; }

}  // namespace vl::store
