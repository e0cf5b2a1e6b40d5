// The fixed texts of the main window and its fax lists: messages, questions,
// captions and titles. Lines within a message are separated by CR (or CR LF
// where the question has always had it); a message box turns either into a
// line break.
#pragma once

#include <string>
#include <string_view>

#include "app/CommandState.h"

namespace vl::app {

// Commands that touch the modem or the current incoming fax, in receive mode.
inline constexpr std::string_view kReceiveModeGuard =
    "You are in Fax Receive mode. This operation cannot be done\rwhile in Fax Receive mode. "
    "Click the Stop button to end\rFax Receive mode";
// Sending refused.
inline constexpr std::string_view kSendInReceiveMode =
    "You are in Fax Receive mode. You cannot send\rwhile in Fax Receive mode. Click the Stop button to end\r"
    "Fax Receive mode";
inline constexpr std::string_view kSendFromIncomingPage =
    "Please switch to the Outgoing Faxes tab\rand highlight a fax to send";
// Neither the body nor the cover of the fax to send is there.
inline constexpr std::string_view kErrorOpeningFaxFile = "Error opening fax file";

// The tables could not be opened or created; the program then closes.
inline constexpr std::string_view kOutgoingTableFailed = "Unable to open/create the FAX datafile - closing program";
inline constexpr std::string_view kIncomingTableFailed =
    "Unable to open/create the FAX RECEIVE datafile - closing program";

// Closing while a fax is coming in.
inline constexpr std::string_view kCloseWhileReceiving = "You are recieving a fax. Close the program?";
inline constexpr std::string_view kCloseWhileReceivingCaption = "ALERT!";

// Receive mode with port logging.
inline constexpr std::string_view kLoggingQuestion =
    "Logging mode should only be used when instructed\rto do so by technical support. Continue?";
inline constexpr std::string_view kLoggingCaption = "LOGGING MODE";
inline constexpr std::string_view kLoggingNotice = "Logging ON";

// Status line while a send is prepared.
inline constexpr std::string_view kPreparingFaxFiles = "Preparing fax files...";
inline constexpr std::string_view kPreparingSendForm = "Preparing Send Fax form...";
inline constexpr std::string_view kPreparingPrinting = "Preparing files for printing...";
inline constexpr std::string_view kPreparingViewing = "Preparing files for viewing...";
inline constexpr std::string_view kPreparingExport = "Preparing files for export...";
inline constexpr std::string_view kLoadingViewer = "Loading viewer...";
inline constexpr std::string_view kFaxFileMissing = "Error - fax file missing";
// The print job's title for a fax printed from the lists or the viewer.
inline constexpr std::string_view kFaxPrintout = "Fax printout";

// Pages, tabs and sort menus.
inline constexpr std::string_view kOutgoingTab = "Out&going Faxes";
inline constexpr std::string_view kIncomingTab = "&Incoming Faxes";
inline constexpr std::string_view kOutgoingTitle = "Outgoing Faxes";
inline constexpr std::string_view kIncomingTitle = "Incoming Faxes";
inline constexpr std::string_view kSortDateSent = "&Date Sent";
inline constexpr std::string_view kSortSubject = "&Subject";
inline constexpr std::string_view kSortRecipient = "&Recipient";
inline constexpr std::string_view kSortDateReceived = "Date Received";
inline constexpr std::string_view kSortFrom = "From";
inline constexpr std::string_view kShowArchived = "S&how Archived Faxes";

// The archive command's two captions.
inline constexpr std::string_view kArchiveCaption = "&Archive";
inline constexpr std::string_view kUnarchiveCaption = "Un&Archive";

// Question captions.
inline constexpr std::string_view kArchiveQuestionCaption = "Archive";
inline constexpr std::string_view kDeleteQuestionCaption = "Delete";
inline constexpr std::string_view kCloneQuestionCaption = "Clone";
inline constexpr std::string_view kForwardQuestionCaption = "Forward";

// The "Delete Fax" window for a fax with both a body and a cover.
inline constexpr std::string_view kDeleteFaxCaption = "Delete Fax";
inline constexpr std::string_view kDeleteCoverChoice = "Delete Fax Cover";
inline constexpr std::string_view kDeleteBodyChoice = "Delete Fax Body";
inline constexpr std::string_view kDeleteBothChoice = "Delete Both Fax Cover && Fax Body";

// Editors.
inline constexpr std::string_view kFaxInfoEditorCaption = "Fax Information Editor";
inline constexpr std::string_view kReceivedNotesCaption = "Received Fax Notes";

// "Archive the current fax?" or "UnArchive the current fax?", then a line
// naming the fax: "(no subject)" / "(subject: ...)" for an outgoing fax,
// "(from: ...)" for an incoming one that has a sender.
std::string ArchiveQuestion(bool archived, FaxPage page, const std::string& subjectOrFrom);
std::string DeleteOutgoingQuestion(const std::string& subject);
std::string DeleteIncomingQuestion(const std::string& from);
std::string CloneQuestion(const std::string& subject);
std::string ForwardQuestion(const std::string& from);
// The fax information editor's caption when forwarding.
std::string ForwardEditorCaption(const std::string& from);
// The received-notes editor's line naming the sender.
std::string NotesFromLine(const std::string& from);

}  // namespace vl::app
