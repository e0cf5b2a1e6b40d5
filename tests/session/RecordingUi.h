// A session window for the tests: records what a session shows and answers
// the error window's Continue as told.
#pragma once

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "session/ReceiveMode.h"

namespace vl::test {

struct ShownError {
    std::string title;
    std::string text;
    bool withContinue = false;
};

class RecordingUi : public session::ReceiveModeUi {
public:
    bool pressContinue = false;
    // Runs while an error window is up (the user acting meanwhile).
    std::function<void()> whileErrorShown;

    std::vector<std::string> infos;
    std::vector<ShownError> errors;
    std::vector<std::string> statuses;
    int beeps = 0;
    bool busyCursor = false;
    bool noticeVisible = false;
    bool noticeReady = false;
    int modeChanges = 0;
    bool switchedToIncoming = false;
    std::vector<store::ReceivedFax> filed;
    bool filingFails = false;
    std::vector<store::ReceivedFax> announced;
    std::vector<std::string> sounds;
    struct Printed {
        std::string file;
        std::string header;
    };
    std::vector<Printed> printed;
    bool printFails = false;
    struct CommandRun {
        std::vector<std::string> argv;
        std::function<void(const std::string&)> failed;
        // Faxes filed and printed by the time it was started.
        std::size_t filedBefore = 0;
        std::size_t printedBefore = 0;
    };
    std::vector<CommandRun> commands;

    void ShowInformation(const std::string& text) override { infos.push_back(text); }
    bool ShowError(const std::string& title, const std::string& text, bool withContinue) override
    {
        errors.push_back({title, text, withContinue});
        if (whileErrorShown)
            whileErrorShown();
        return withContinue && pressContinue;
    }
    void SetStatus(const std::string& text) override { statuses.push_back(text); }
    void SetBusyCursor(bool busy) override { busyCursor = busy; }
    void ProcessMessages() override {}
    void Beep() override { ++beeps; }
    void ShowStartingNotice(bool visible, bool ready) override
    {
        noticeVisible = visible;
        noticeReady = ready;
    }
    void SwitchToIncoming() override { switchedToIncoming = true; }
    void ModeChanged() override { ++modeChanges; }
    void FileReceivedFax(const store::ReceivedFax& fax) override
    {
        if (filingFails)
            throw std::runtime_error("incoming table is read-only");
        filed.push_back(fax);
    }
    void AnnounceReceivedFax(const std::string& station, int pages, const std::string& faxFile) override
    {
        announced.push_back({station, pages, faxFile});
    }
    void PlaySound(const std::string& file) override { sounds.push_back(file); }
    void PrintReceivedFax(const std::string& faxFile, const std::string& header) override
    {
        if (printFails)
            throw std::runtime_error("printer out of paper");
        printed.push_back({faxFile, header});
    }
    void RunReceiptCommand(const std::vector<std::string>& argv,
                           std::function<void(const std::string&)> failed) override
    {
        commands.push_back({argv, std::move(failed), filed.size(), printed.size()});
    }
};

}  // namespace vl::test
