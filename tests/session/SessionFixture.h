// A scripted modem on COM7 of the program folder's settings file, with the
// program folder pointed at the fixture's temporary folder, and settings
// that name COM7.
#pragma once

#include <string>
#include <vector>

#include "ComPortFixture.h"
#include "RecordingUi.h"
#include "app/Settings.h"
#include "support/EnvVar.h"

namespace vl::test {

class SessionFixture : public ComPortFixture {
public:
    explicit SessionFixture(FakeModemScript script = OkScript());

    // Lets the session's port find the scripted modem and keep its locks here.
    void UseModem(serial::VlComPort& sessionPort) const;
    // The lines of a file in the program folder.
    std::vector<std::string> FileLines(const std::string& name) const;

    EnvVar home;
    app::Settings settings;
    RecordingUi ui;
};

// A modem that answers every command with OK.
FakeModemScript AllOkScript();
// A modem that never answers.
FakeModemScript SilentScript();

}  // namespace vl::test
