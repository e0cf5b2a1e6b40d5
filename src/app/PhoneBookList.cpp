#include "app/PhoneBookList.h"

#include <QString>
#include <algorithm>

#include "base/Cp1252.h"
#include "store/FaxTables.h"

namespace vl::app {

namespace {

std::string Folded(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).toCaseFolded().toStdString();
}

// Checked before a record is touched, so that a value the table cannot hold
// leaves no half-written entry behind.
void CheckStorable(const std::string& name, const std::string& phone)
{
    for (const std::string* value : {&name, &phone})
        if (!base::Utf8ToCp1252(*value))
            throw store::EStoreError("\"" + *value + "\" holds a character the phone book cannot store");
}

}  // namespace

PhoneBookList::PhoneBookList(const std::string& programFolder)
{
    store::FaxTableOpenResult opened = store::OpenOrCreatePhoneBook(programFolder, false);
    if (!opened.ok)
        throw store::EStoreError(opened.error);
    table_ = std::move(opened.table);
    Refresh();
}

PhoneBookList::~PhoneBookList() = default;

void PhoneBookList::Refresh()
{
    records_.clear();
    keys_.clear();
    table_->Visit([this] {
        records_.push_back(table_->RecNo());
        keys_.push_back(Folded(table_->Text("NAME")));
    });
}

void PhoneBookList::Go(int row) const
{
    if (row < 0 || row >= Count())
        throw store::EStoreError("the phone book has no entry " + std::to_string(row + 1));
    table_->Go(records_[static_cast<std::size_t>(row)]);
}

std::string PhoneBookList::Name(int row) const
{
    Go(row);
    return table_->Text("NAME");
}

std::string PhoneBookList::Phone(int row) const
{
    Go(row);
    return table_->Text("PHONE");
}

int PhoneBookList::Find(std::string_view typed) const
{
    if (typed.empty())
        return -1;
    const std::string key = Folded(typed);
    const auto starts = std::find_if(keys_.begin(), keys_.end(),
                                     [&](const std::string& name) { return name.starts_with(key); });
    if (starts != keys_.end())
        return static_cast<int>(starts - keys_.begin());
    const auto holds = std::find_if(keys_.begin(), keys_.end(),
                                    [&](const std::string& name) { return name.find(key) != std::string::npos; });
    return holds != keys_.end() ? static_cast<int>(holds - keys_.begin()) : -1;
}

int PhoneBookList::RowOf(std::uint32_t recno) const
{
    const auto it = std::find(records_.begin(), records_.end(), recno);
    return it == records_.end() ? -1 : static_cast<int>(it - records_.begin());
}

int PhoneBookList::Add(const std::string& name, const std::string& phone)
{
    CheckStorable(name, phone);
    table_->AppendBlank();
    table_->SetText("NAME", name);
    table_->SetText("PHONE", phone);
    table_->Post();
    const std::uint32_t recno = table_->RecNo();
    Refresh();
    return RowOf(recno);
}

int PhoneBookList::Change(int row, const std::string& name, const std::string& phone)
{
    CheckStorable(name, phone);
    Go(row);
    const std::uint32_t recno = table_->RecNo();
    table_->SetText("NAME", name);
    table_->SetText("PHONE", phone);
    table_->Post();
    Refresh();
    return RowOf(recno);
}

void PhoneBookList::Remove(int row)
{
    Go(row);
    table_->Delete();
    Refresh();
}

}  // namespace vl::app
