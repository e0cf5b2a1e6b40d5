#include "app/FaxListTexts.h"

namespace vl::app {

namespace {

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

}  // namespace

std::string ArchiveQuestion(bool archived, FaxPage page, const std::string& subjectOrFrom) {
    std::string text = archived ? "UnArchive the current fax?" : "Archive the current fax?";
    if (page == FaxPage::Outgoing) return text + "\r" + (subjectOrFrom.empty() ? "(no subject)" : "(subject: " + subjectOrFrom + ")");
    if (subjectOrFrom.empty()) return text;
    return text + "\r(from: " + subjectOrFrom + ")";
}

std::string DeleteOutgoingQuestion(const std::string& subject) {
    return "Delete the current fax?\r\n(subject: " + Quoted(subject) + ")";
}

std::string DeleteIncomingQuestion(const std::string& from) {
    return "Delete the current fax?\r\n(from: " + Quoted(from) + ")";
}

std::string CloneQuestion(const std::string& subject) {
    return "Clone the current fax?\r\n(subject: " + Quoted(subject) + ")";
}

std::string ForwardQuestion(const std::string& from) { return "Forward the current fax to be sent?\r\n(from: " + from + ")"; }

std::string ForwardEditorCaption(const std::string& from) { return "Forward fax from: " + from; }

std::string NotesFromLine(const std::string& from) { return "From: " + from; }

}  // namespace vl::app
