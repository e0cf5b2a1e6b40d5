// Everything a fax operation asks of the user, so that the operations run
// the same behind a window and behind a test.
#pragma once

#include <optional>
#include <string>

namespace vl::app {

struct CoverEntry;

// What the "Delete Fax" window offers for a fax with a body and a cover.
enum class DeleteChoice { Cover, Body, Both };

// The fields of the fax information editor.
struct FaxInfo {
    std::string recipient, phone, subject, notes, codes;
};

class FaxOperationPrompts {
public:
    virtual ~FaxOperationPrompts() = default;
    // Yes/No with No as the default button; true for Yes.
    virtual bool AskYesNoDefaultNo(const std::string& text, const std::string& caption) = 0;
    // The "Delete Fax" window with "Both" preselected; nothing on Cancel.
    virtual std::optional<DeleteChoice> ChooseDelete() = 0;
    // The fax information editor under the caption; true on OK.
    virtual bool EditFaxInfo(const std::string& caption, FaxInfo& info) = 0;
    // The received-notes editor naming the sender; true on OK.
    virtual bool EditNotes(const std::string& from, std::string& notes) = 0;
    // The cover sheet editor; true on Save, with the entry as saved.
    virtual bool EditCover(CoverEntry& entry) = 0;
    virtual void Beep() = 0;
    // Lets pending window events run.
    virtual void ProcessMessages() = 0;
};

}  // namespace vl::app
