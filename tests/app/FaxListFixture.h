// A program folder with open fax lists, a scripted user and helpers to add
// faxes and their files.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "app/FaxLists.h"
#include "app/FaxOperations.h"
#include "support/TestSupport.h"

namespace vl::app {

// Answers every prompt as told and remembers what was asked.
struct ScriptedUser : FaxOperationPrompts {
    bool yes = true;
    std::vector<std::string> questions;
    std::vector<std::string> captions;
    std::optional<DeleteChoice> deleteChoice = DeleteChoice::Both;
    int deleteWindows = 0;
    bool editorOk = true;
    FaxInfo editorResult;
    std::string editorCaption;
    FaxInfo editorShown;
    std::string notesResult;
    std::string notesFrom;
    CoverEntry coverShown;
    // What the user makes of the shown entry in the cover sheet editor.
    std::function<CoverEntry(const CoverEntry&)> coverResult = [](const CoverEntry& shown) { return shown; };
    int beeps = 0;
    int messageRuns = 0;

    bool AskYesNoDefaultNo(const std::string& text, const std::string& caption) override {
        questions.push_back(text);
        captions.push_back(caption);
        return yes;
    }
    std::optional<DeleteChoice> ChooseDelete() override {
        ++deleteWindows;
        return deleteChoice;
    }
    bool EditFaxInfo(const std::string& caption, FaxInfo& info) override {
        editorCaption = caption;
        editorShown = info;
        if (editorOk) info = editorResult;
        return editorOk;
    }
    bool EditNotes(const std::string& from, std::string& notes) override {
        notesFrom = from;
        if (editorOk) notes = notesResult;
        return editorOk;
    }
    bool EditCover(CoverEntry& entry) override {
        coverShown = entry;
        if (editorOk) entry = coverResult(entry);
        return editorOk;
    }
    void Beep() override { ++beeps; }
    void ProcessMessages() override { ++messageRuns; }
};

struct OutFax {
    std::string subject = "";
    std::string doc = "";    // FAXDOC
    std::string cover = "";  // FAXCOVER
    bool archived = false;
    std::string date = "";
};

class FaxListTest : public ::testing::Test {
protected:
    FaxListTest() {
        std::filesystem::create_directories(dir.path() / "SEND");
        std::filesystem::create_directories(dir.path() / "RECEIVE");
        const FaxLists::OpenResult opened = lists.Open(folder);
        EXPECT_TRUE(opened.outgoingOk && opened.incomingOk);
    }

    store::Table& Out() { return *lists.Outgoing(); }
    store::Table& In() { return *lists.Incoming(); }
    std::string Send(const std::string& name) const { return folder + "SEND/" + name; }
    std::string Receive(const std::string& name) const { return folder + "RECEIVE/" + name; }
    static bool Exists(const std::string& path) { return std::filesystem::exists(path); }

    uint32_t AddOut(const OutFax& fax) {
        Out().AppendBlank();
        Out().SetText("SUBJECT", fax.subject);
        Out().SetText("FAXDOC", fax.doc);
        Out().SetText("FAXCOVER", fax.cover);
        Out().SetText("RECIPIENT", "Ann");
        Out().SetText("PHONE", "555 0100");
        Out().SetDate("DATESENT", fax.date);
        Out().SetLogical("ARCHIVED", fax.archived);
        Out().Post();
        return Out().RecNo();
    }

    uint32_t AddIn(const std::string& from, const std::string& file, bool archived = false) {
        In().AppendBlank();
        In().SetDate("DATEREC", "20240301");
        In().SetText("TIMEREC", "10:15");
        In().SetText("FROM", from);
        In().SetText("FAXFILE", file);
        In().SetLogical("ARCHIVED", archived);
        In().Post();
        return In().RecNo();
    }

    // The given field of every listed record, in the list's order.
    static std::vector<std::string> Listed(store::Table& table, const std::string& field) {
        std::vector<std::string> values;
        const uint32_t current = table.RecNo();
        for (table.GoTop(); !table.Eof(); table.Skip()) values.push_back(table.Text(field));
        table.Go(current);
        return values;
    }

    test::TempDir dir;
    const std::string folder = dir.folder();
    FaxLists lists;
    ScriptedUser user;
    FaxOperations ops{lists, user, folder};
};

}  // namespace vl::app
