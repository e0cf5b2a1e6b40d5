// vellora-cli settings: show and change the values of VL.INI.
#include <cstdio>
#include <optional>
#include <string>

#include "app/ProgramFolders.h"
#include "app/SettingChoices.h"
#include "app/Settings.h"
#include "base/IniFile.h"
#include "base/TextCase.h"
#include "cli/Commands.h"

namespace vl::cli {

namespace {

constexpr std::string_view kGroup = "settings";

const char kSettingsUsage[] =
    "usage: vellora-cli settings dump\n"
    "       vellora-cli settings get SECTION KEY\n"
    "       vellora-cli settings set SECTION KEY VALUE\n"
    "(section Ports maps COM1..COM50 to devices: settings set Ports COM2 /dev/ttyUSB0)\n";

int Dump(const base::IniFile& ini) {
    for (const app::SettingValue& v : app::SettingValues(ini))
        std::printf("%.*s\t%.*s\t%s\n", static_cast<int>(v.info.section.size()), v.info.section.data(),
                    static_cast<int>(v.info.key.size()), v.info.key.data(), v.text.c_str());
    return kExitOk;
}

int Get(const base::IniFile& ini, const std::string& section, const std::string& key) {
    for (const app::SettingValue& v : app::SettingValues(ini)) {
        if (base::EqualsNoCase(v.info.section, section) && base::EqualsNoCase(v.info.key, key)) {
            std::printf("%s\n", v.text.c_str());
            return kExitOk;
        }
    }
    return BadInput(kGroup, "no setting " + section + " " + key);
}

int Set(base::IniFile& ini, const std::string& section, const std::string& key, const std::string& value) {
    std::optional<app::SettingKeyInfo> info = app::FindSettingKey(section, key);
    if (!info) return BadInput(kGroup, "no setting " + section + " " + key);
    if (info->section == app::kVersionSection && info->key == app::kVersionKey)
        return BadInput(kGroup, "the version is written by the program and cannot be set");
    std::optional<std::string> stored = app::NormalizeSettingValue(info->type, value);
    if (!stored) {
        const char* expected = "a single line of text";
        switch (info->type) {
        case app::SettingType::String: break;
        case app::SettingType::Integer: expected = "an integer"; break;
        case app::SettingType::Bool: expected = "an integer (0 for off, anything else for on)"; break;
        case app::SettingType::DevicePath:
            expected = "a device path such as /dev/ttyUSB0, or nothing for no device";
            break;
        }
        return BadInput(kGroup, "'" + value + "' is not valid for " + std::string(info->key) + ": expected " + expected);
    }
    if (info->section == "Receive" && info->key == "PrintOnReceiptPrinter")
        stored = app::StoredReceiptPrinterName(*stored);
    ini.WriteString(info->section, info->key, *stored);
    ini.Save();
    return kExitOk;
}

}  // namespace

int RunSettingsCommand(const Args& args) {
    base::IniFile ini = base::IniFile::Load(app::SettingsFileName());
    if (args.size() == 1 && args[0] == "dump") return Dump(ini);
    if (args.size() == 3 && args[0] == "get") return Get(ini, args[1], args[2]);
    if (args.size() == 4 && args[0] == "set") {
        // The data folder may not exist yet on a fresh installation.
        app::ForceFolders(app::ProgramFolder());
        return Set(ini, args[1], args[2], args[3]);
    }
    std::fputs(kSettingsUsage, stderr);
    return kExitBadInput;
}

}  // namespace vl::cli
