#include <string_view>

#include "app/FaxFileNames.h"
#include "app/FaxFolderFiles.h"
#include "app/FaxOperations.h"
#include "faxdoc/ApfJoin.h"
#include "store/FaxRecordColumns.h"

namespace vl::app {

namespace {

// The separator in both header lines: thirteen blanks before the date.
constexpr std::string_view kHeaderGap = "             ";

std::string Trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

FaxOperations::ShownFax FaxOperations::FaxToShow(FaxPage page) const {
    ShownFax shown;
    if (!lists_.HasCurrent(page)) return shown;
    const store::Table& table = *lists_.List(page);
    const store::DateTimeFormat format = store::UserDateTimeFormat();
    if (page == FaxPage::Incoming) {
        shown.file = ExistingFaxFile(programFolder_, FaxFolder::Receive, table.Text("FAXFILE")).value_or("");
        shown.header = "From: " + Trimmed(table.Text("FROM")) + std::string(kHeaderGap) + "Received: " +
                       store::IncomingDisplayDateTime(table.Text("DATEREC"), table.Text("TIMEREC"), format);
    } else {
        const auto body = ExistingFaxFile(programFolder_, FaxFolder::Send, table.Text("FAXDOC"));
        const auto cover = ExistingFaxFile(programFolder_, FaxFolder::Send, table.Text("FAXCOVER"));
        if (body && cover) {
            // A join that stops early still leaves what it could write.
            shown.file = NextFreeFaxFileName(programFolder_, "Temp");
            shown.temporary = true;
            faxdoc::JoinApfFiles(shown.file, *cover, *body);
        } else {
            shown.file = body.value_or(cover.value_or(""));
        }
        shown.header = "To: " + table.Text("RECIPIENT") + std::string(kHeaderGap) + "Sent: " +
                       store::OutgoingDisplayDateTime(table.Text("DATESENT"), table.Text("TIMESENT"),
                                                      store::LocalToday(), format);
    }
    shown.ok = !shown.file.empty();
    return shown;
}

}  // namespace vl::app
