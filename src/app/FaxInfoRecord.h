// The five fields the fax information editor shows, read from and stored
// into the current outgoing record.
#pragma once

#include "app/FaxOperationPrompts.h"
#include "store/Table.h"

namespace vl::app {

FaxInfo ReadFaxInfo(const store::Table& outgoing);
// Sets RECIPIENT, PHONE, SUBJECT, NOTES and CODES, each cut to its field;
// the caller posts.
void StoreFaxInfo(store::Table& outgoing, const FaxInfo& info);

}  // namespace vl::app
