// The operations on the current fax of either list: archive, delete, clone,
// forward, the two editors, the printer-driver import and the bookkeeping
// around a send. Receive-mode guards and the choice of editor stay with the
// window; these take the flags they need.
//
// Store errors while importing are swallowed (the lists show what is
// there); elsewhere they throw store::EStoreError, and a delete that fails
// leaves the fax files in place.
#pragma once

#include <cstdint>
#include <string>

#include "app/CommandState.h"
#include "app/CoverEntry.h"
#include "app/FaxLists.h"
#include "app/FaxOperationPrompts.h"
#include "app/Settings.h"
#include "store/FaxRecordWriters.h"

namespace vl::app {

class FaxOperations {
public:
    FaxOperations(FaxLists& lists, FaxOperationPrompts& prompts, std::string programFolder);

    // Inverts ARCHIVED of the page's current fax after a question. Beeps on
    // an empty list, and on the incoming page while a fax is coming in.
    void Archive(FaxPage page, bool receivingNow);
    // Outgoing: a fax with body and cover offers cover, body or both; others
    // are asked about once. Incoming: asked once; beeps while receiving.
    // The record change comes first; the files go only once it is stored.
    void Delete(FaxPage page, bool receivingNow);
    // A new outgoing fax with copies of the current one's files (a cover
    // only with its cover data file), "[clone]" before the subject.
    void Clone();
    // A new outgoing fax from the current incoming one; true when one was
    // added (the window then shows the outgoing list).
    bool Forward();
    // The fax information editor on the current outgoing fax.
    void EditFaxInfo();
    // The notes editor on the current incoming fax; beeps while receiving.
    void EditNotes(bool receivingNow);
    // The cover sheet editor for a new outgoing fax that holds only its
    // cover (`newFax`), or for the current outgoing fax, whose cover is
    // added or made again under its own name. The page is rendered from the
    // chosen template and its cover data file written beside it. Throws
    // base::EVlException when the page cannot be made; a new fax's files
    // are then gone again.
    void EditCover(bool newFax, Settings& settings);
    // Files the printer driver left in the send folder (a fax file with a
    // ".kqd" sidecar) as outgoing faxes; returns how many were added. A fax
    // file whose name FAXDOC cannot hold is renamed to the next free "FAX"
    // name first.
    int ImportPrinterDriverFaxes();

    // The files of the current outgoing fax to send: the body first and the
    // cover second, or whichever exists alone. Not ok when neither exists
    // (or there is no current fax).
    struct SendFiles {
        bool ok = false;
        std::string first, second;
    };
    SendFiles FilesToSend() const;
    // The file of the page's current fax to view or print, and the header
    // line printed above its pages. A received fax's file; an outgoing fax's
    // cover and body joined, cover first, into a new "Temp" file of the
    // program folder (`temporary`: the caller deletes it afterwards); or
    // whichever of the two exists. Not ok when there is none.
    struct ShownFax {
        bool ok = false;
        std::string file;
        bool temporary = false;
        std::string header;
    };
    ShownFax FaxToShow(FaxPage page) const;
    // The end of a send attempt on the outgoing record recno.
    void RecordSendResult(uint32_t recno, const std::string& resultText, const std::string& phone,
                          const store::TableTimestamp& when = store::LocalTimestamp());

private:
    // The current record number of the page's list; 0, after a beep, when
    // the list is empty or (incoming page) busy receiving.
    uint32_t CurrentOrBeep(FaxPage page, bool busy = false);
    // The page's table back on the record once a prompt has let the window
    // run; null when the list has gone meanwhile.
    store::Table* Revisit(FaxPage page, uint32_t recno);
    void DeleteOutgoing();
    void DeleteIncoming(bool receivingNow);
    // Copies the cover page and its data file under a new "COV" name; the
    // new page's name, or "" when either could not be copied.
    std::string CopyCover(const std::string& cover);
    bool ImportOne(const std::string& sidecar);
    // The editor's entry for the current outgoing fax, from its record and
    // its cover data file; `coverFile` gets the cover page's path, or
    // nothing when the fax has no cover yet.
    CoverEntry CurrentCoverEntry(const Settings& settings, std::string& coverFile) const;

    FaxLists& lists_;
    FaxOperationPrompts& prompts_;
    std::string programFolder_;
};

}  // namespace vl::app
