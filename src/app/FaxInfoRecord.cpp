#include "app/FaxInfoRecord.h"

#include "app/FieldText.h"

namespace vl::app {

FaxInfo ReadFaxInfo(const store::Table& outgoing) {
    return {outgoing.Text("RECIPIENT"), outgoing.Text("PHONE"), outgoing.Text("SUBJECT"), outgoing.Text("NOTES"),
            outgoing.Text("CODES")};
}

void StoreFaxInfo(store::Table& outgoing, const FaxInfo& info) {
    const std::pair<const char*, const std::string*> fields[] = {{"RECIPIENT", &info.recipient},
                                                                  {"PHONE", &info.phone},
                                                                  {"SUBJECT", &info.subject},
                                                                  {"NOTES", &info.notes},
                                                                  {"CODES", &info.codes}};
    for (const auto& [field, value] : fields) outgoing.SetText(field, FitToField(outgoing, field, *value));
}

}  // namespace vl::app
