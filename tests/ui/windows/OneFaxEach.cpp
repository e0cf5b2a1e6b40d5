#include "OneFaxEach.h"

#include <filesystem>

#include "store/FaxTables.h"
#include "support/TestSupport.h"

namespace vl::test {

void WriteOneFaxEach(const std::string& folder)
{
    std::filesystem::create_directories(folder + "SEND");
    std::filesystem::create_directories(folder + "RECEIVE");
    for (const char* file : {"SEND/FAX00001.APF", "SEND/COV00001.APF", "SEND/COV00001.FCD", "RECEIVE/FAX0001.APF"})
        WriteFile(folder + file, file);
    auto out = store::OpenOrCreateOutgoing(folder, "").table;
    out->AppendBlank();
    out->SetText("RECIPIENT", "Harbour Logistics");
    out->SetText("SUBJECT", "Signed contract");
    out->SetText("PHONE", "5550101");
    out->SetText("FAXDOC", "FAX00001.APF");
    out->SetText("FAXCOVER", "COV00001.APF");
    out->Post();
    out->Close();
    auto in = store::OpenOrCreateIncoming(folder).table;
    in->AppendBlank();
    in->SetText("FROM", "+1 555 0142");
    in->SetNumber("PAGES", 2);
    in->SetText("FAXFILE", "FAX0001.APF");
    in->Post();
    in->Close();
}

}  // namespace vl::test
