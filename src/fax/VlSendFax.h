// The send fax component: the files to send, the number and the dialling
// options, and the next-file step that hands the engine one fax after another.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "fax/VlAbstractFax.h"
#include "gfx/TextDrawing.h"

namespace vl::fax {

class VlSendFax : public VlAbstractFax {
public:
    // Supplies the next fax; an empty number ends the session.
    using NextEvent =
        std::function<void(VlSendFax& fax, std::string& phoneNumber, std::string& faxFile, std::string& coverFile)>;

    explicit VlSendFax(base::MessageLoop& loop);
    ~VlSendFax() override;

    bool EnhTextEnabled = false;
    gfx::FontSpec EnhHeaderFont;  // rendered header rows
    gfx::FontSpec EnhFont;        // rendered text cover pages
    std::vector<std::string> FaxFileList;  // sent in order, joined into one call
    bool BlindDial = false;
    bool DetectBusy = true;
    bool ToneDial = true;
    std::string DialPrefix;  // up to 40 characters
    int DialWait = 60;       // seconds for the call to connect
    int DialAttempts = 3;    // per fax; 0 = no limit
    int DialRetryWait = 60;  // seconds between attempts
    int MaxSendCount = 50;
    int BufferMinimum = 1000;
    std::string HeaderLine;  // with $-tags
    std::string CoverFile;
    std::string PhoneNumber;
    bool SafeMode = true;
    std::string HeaderSender;
    std::string HeaderRecipient;
    std::string HeaderTitle;
    // Whether Class 1 renegotiates between cover and body (pages of
    // different resolutions need it).
    EndOfDocument EndOfDoc = EndOfDocument::ContinueMps;

    NextEvent OnFaxNext;

    // The first entry of FaxFileList; setting it leaves exactly that file.
    std::string FaxFile() const override;
    void SetFaxFile(const std::string& file) override;
    // The attempt under way, counting from 1.
    int DialAttempt() const { return Progress().dialAttempt; }
    // The file the files of FaxFileList were joined into, until the finish
    // event deletes it; empty when none was made.
    const std::string& JoinedFile() const { return joinedFile_; }

    // Checks the port, joins two or more files (without OnFaxNext) and starts
    // the engine. A bad file raises EFaxBadFormat and nothing is sent.
    void StartTransmit();

private:
    void ApplyOptions(FaxEngine& engine) override;
    std::intptr_t OnKindMessage(const base::WindowMessage& message) override;
    FaxLogFacts LogFacts() const override;
    FaxStatusInput StatusInput() const override;
    void SessionFinished() override;
    bool NextFax(std::string& phoneNumber, std::string& faxFile, std::string& coverFile);
    void DeleteJoinedFile();

    std::string joinedFile_;
    bool sentOnce_ = false;
    // The fax under way, as the next-file step handed it out.
    std::string currentNumber_;
    std::string currentCover_;
};

}  // namespace vl::fax
