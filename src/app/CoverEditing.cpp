// Writing a cover sheet: the editor's entry from the record and the cover
// data file, the page rendered from the template, and the record and data
// file brought up to date.
#include <ctime>
#include <filesystem>

#include "app/FaxFileNames.h"
#include "app/FaxFolderFiles.h"
#include "app/FaxInfoRecord.h"
#include "app/FaxOperations.h"
#include "base/Exceptions.h"
#include "base/PathNoCase.h"
#include "cover/CoverFaxFile.h"

namespace vl::app {

namespace {

cover::CoverValues ValuesFor(const CoverEntry& entry, const Settings& settings)
{
    cover::CoverValues values;
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    cover::StampTime(values, local);
    values.regarding = entry.info.subject;
    values.recipient = entry.info.recipient;
    values.recipientFax = entry.info.phone;
    values.sender = settings.Name;
    values.senderCompany = settings.Company;
    values.senderFax = settings.Fax;
    values.senderPhone = settings.Voice;
    values.flags = entry.flags;
    return values;
}

// The cover data file beside the cover page, in whatever letter case it
// was stored.
std::string CoverDataFile(const std::string& coverFile)
{
    const std::filesystem::path page(coverFile);
    return base::PathNoCase(page.parent_path().string() + "/", CoverDataName(page.filename().string()));
}

}  // namespace

CoverEntry FaxOperations::CurrentCoverEntry(const Settings& settings, std::string& coverFile) const
{
    const store::Table& table = *lists_.Outgoing();
    CoverEntry entry;
    entry.info = ReadFaxInfo(table);
    entry.templateName = settings.LastUsedCoversheetTemplate;
    const std::string cover = table.Text("FAXCOVER");
    if (cover.empty())
        return entry;
    coverFile = ExistingFaxFile(programFolder_, FaxFolder::Send, cover)
                    .value_or(FaxFolderPath(programFolder_, FaxFolder::Send) + FileNameOf(cover));
    if (const auto data = ReadCoverData(CoverDataFile(coverFile))) {
        if (!data->templateName.empty())
            entry.templateName = data->templateName;
        entry.flags = ParseFlags(data->flagsText);
        entry.messageLines = data->messageLines;
    }
    return entry;
}

void FaxOperations::EditCover(bool newFax, Settings& settings)
{
    uint32_t recno = 0;
    std::string coverFile;
    CoverEntry entry;
    entry.templateName = settings.LastUsedCoversheetTemplate;
    if (!newFax) {
        recno = CurrentOrBeep(FaxPage::Outgoing);
        if (recno == 0)
            return;
        entry = CurrentCoverEntry(settings, coverFile);
    }
    if (!prompts_.EditCover(entry))
        return;
    if (newFax)
        settings.LastUsedCoversheetTemplate = entry.templateName;

    if (coverFile.empty())
        coverFile = NextFreeFaxFileName(FaxFolderPath(programFolder_, FaxFolder::Send), "COV");
    // The page is made beside its place and takes it only once the record
    // is stored: a failure on the way leaves the fax as it was.
    const std::string pending = coverFile + ".new";
    const std::string renderFile = base::PathNoCase(programFolder_, "Covers/" + FileNameOf(entry.templateName));
    base::CheckException(cover::MakeCoverFile(renderFile, ValuesFor(entry, settings), entry.messageLines, pending,
                                              [this] {
                                                  prompts_.ProcessMessages();
                                                  return 0;
                                              }));
    std::error_code ignored;
    try {
        store::Table* table = newFax ? lists_.Outgoing() : Revisit(FaxPage::Outgoing, recno);
        if (!table) {
            std::filesystem::remove(pending, ignored);
            return;
        }
        if (newFax)
            table->AppendBlank();
        StoreFaxInfo(*table, entry.info);
        table->SetText("FAXCOVER", FileNameOf(coverFile));
        table->Post();
    } catch (...) {
        std::filesystem::remove(pending, ignored);
        throw;
    }
    std::filesystem::rename(pending, coverFile);
    WriteCoverData(CoverDataFile(coverFile),
                   {entry.templateName, FlagsText(entry.flags), entry.messageLines});
    if (newFax) {
        prompts_.ProcessMessages();
        lists_.ReloadOutgoing();
    }
}

}  // namespace vl::app
