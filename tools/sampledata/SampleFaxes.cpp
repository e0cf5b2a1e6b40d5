#include "SampleFaxes.h"

#include <array>
#include <algorithm>
#include <stdexcept>

#include "store/FaxTables.h"

namespace vl::tools {

namespace {

constexpr std::array kNames = {"Harbour Logistics", "Dr. Ana Whitfield", "City Planning Office", "Northwind Supply",
                               "M. Okafor",         "Lakeside Clinic",   "Baker & Sons Ltd",     "Registry Office"};
constexpr std::array kSubjects = {"Signed contract, pages 1-3", "Invoice 2026-114", "Delivery schedule",
                                  "Prescription renewal",       "Site plan revision B", "Purchase order 5512",
                                  "Meeting minutes",            "Change of address form"};
constexpr std::array kStations = {"+44 20 7946 0958", "+1 555 0142", "+49 30 901820", "+61 2 9374 4000",
                                  "",                 "+33 1 42 68 53 00"};

std::string TwoDigits(int value)
{
    return std::string(1, static_cast<char>('0' + value / 10 % 10)) + static_cast<char>('0' + value % 10);
}

std::string Date(int i)
{
    return "2026" + TwoDigits(1 + (i / 28) % 12) + TwoDigits(1 + i % 28);
}

std::string Time(int i)
{
    return TwoDigits(8 + i % 10) + ":" + TwoDigits((i * 7) % 60);
}

// Send-folder files carry five digits, received ones four.
std::string FileName(const char* prefix, int digits, int i)
{
    std::string number = std::to_string(i);
    return prefix + std::string(static_cast<std::size_t>(std::max(0, digits - static_cast<int>(number.size()))), '0') +
           number + ".APF";
}

std::unique_ptr<store::Table> Opened(store::FaxTableOpenResult result)
{
    if (!result.ok)
        throw std::runtime_error("cannot open a fax table: " + result.error);
    result.table->SetFilter("");
    return std::move(result.table);
}

bool Archived(int i, int every)
{
    return every > 0 && i % every == every - 1;
}

}  // namespace

void WriteSampleFaxes(const std::string& programFolder, int outgoing, int incoming, int archiveEvery)
{
    auto out = Opened(store::OpenOrCreateOutgoing(programFolder, ""));
    out->BeginBatch();
    for (int i = 0; i < outgoing; ++i) {
        out->AppendBlank();
        out->SetText("RECIPIENT", kNames[static_cast<std::size_t>(i) % kNames.size()]);
        out->SetText("SUBJECT", kSubjects[static_cast<std::size_t>(i * 3) % kSubjects.size()]);
        out->SetText("PHONE", "555 01" + std::to_string(10 + i % 90));
        out->SetText("FAXDOC", FileName("FAX", 5, i % 100000));
        if (i % 4 == 0)
            out->SetText("FAXCOVER", FileName("COV", 5, i % 100000));
        if (i % 5 != 4) {
            out->SetDate("DATESENT", Date(i));
            out->SetText("TIMESENT", Time(i));
            out->SetText("LASTRESULT", i % 7 == 6 ? "Remote fax is busy" : "Sent");
        }
        if (i % 3 == 0)
            out->SetText("NOTES", "Called ahead");
        out->SetText("CODES", i % 2 ? "ACCT" : "");
        out->SetLogical("ARCHIVED", Archived(i, archiveEvery));
        out->Post();
    }
    out->EndBatch();
    store::BuildFaxTags(*out, store::FaxTableDefinition(store::FaxTableKind::Outgoing), true);
    out->Close();

    auto in = Opened(store::OpenOrCreateIncoming(programFolder));
    in->BeginBatch();
    for (int i = 0; i < incoming; ++i) {
        in->AppendBlank();
        in->SetDate("DATEREC", Date(i + 3));
        in->SetText("TIMEREC", Time(i + 5));
        in->SetText("FROM", kStations[static_cast<std::size_t>(i) % kStations.size()]);
        in->SetNumber("PAGES", 1 + i % 6);
        in->SetText("FAXFILE", FileName("FAX", 4, (i + 1) % 10000));
        if (i % 3 == 1)
            in->SetText("NOTES", "Passed on to accounts");
        in->SetLogical("ARCHIVED", Archived(i, archiveEvery));
        in->Post();
    }
    in->EndBatch();
    store::BuildFaxTags(*in, store::FaxTableDefinition(store::FaxTableKind::Incoming), true);
    in->Close();
}

}  // namespace vl::tools
