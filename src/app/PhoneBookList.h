// The phone book as a list: the entries of VLPB.DBF that are not deleted, in
// NAME order, a row each, with the searching, adding, changing and deleting
// the phone book window offers. Rows are record numbers; a field is read
// from the table only when asked for, so a large book opens quickly.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "store/Table.h"

namespace vl::app {

class PhoneBookList {
public:
    // Opens (or creates) the phone book in the folder, shared with other
    // windows and programs. Throws EStoreError with the reason when it cannot.
    explicit PhoneBookList(const std::string& programFolder);
    ~PhoneBookList();
    PhoneBookList(const PhoneBookList&) = delete;
    PhoneBookList& operator=(const PhoneBookList&) = delete;

    int Count() const { return static_cast<int>(records_.size()); }
    std::string Name(int row) const;
    std::string Phone(int row) const;

    // The first row whose name starts with `typed`, ignoring letter case;
    // failing that, the first whose name holds it anywhere; -1 when none
    // does or `typed` is empty.
    int Find(std::string_view typed) const;

    // Each returns the row the entry has afterwards (its place in name
    // order), -1 when it is no longer listed.
    int Add(const std::string& name, const std::string& phone);
    int Change(int row, const std::string& name, const std::string& phone);
    // Marks the entry deleted; the rows after it move up.
    void Remove(int row);
    // Reads the rows again, taking in what others changed meanwhile.
    void Refresh();

private:
    void Go(int row) const;
    int RowOf(std::uint32_t recno) const;

    std::unique_ptr<store::Table> table_;
    std::vector<std::uint32_t> records_;
    // The names folded to lower case, row by row, for searching.
    std::vector<std::string> keys_;
};

}  // namespace vl::app
