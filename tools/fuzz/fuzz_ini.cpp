// Arbitrary bytes as VL.INI: parsing, reading every setting and a placement,
// rewriting, and the promise that what is written reads back as written.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "app/Placement.h"
#include "app/Settings.h"
#include "base/IniFile.h"

using vl::fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vl;
    std::string_view text(reinterpret_cast<const char*>(data), size);
    base::IniFile ini = base::IniFile::Parse(text);

    std::vector<app::SettingValue> values = app::SettingValues(ini);
    app::StoredPlacement stored = app::ReadPlacement(ini, "MainScreen_Placement", false);
    app::FitPlacement(stored, app::CenterRect(400, 300, {0, 0, 1024, 768}), 1024, 768);

    // Rewriting changes nothing that is read, and a second rewrite nothing at all.
    const std::string once = ini.Serialize();
    base::IniFile again = base::IniFile::Parse(once);
    Check(again.Serialize() == once);
    std::vector<app::SettingValue> reread = app::SettingValues(again);
    Check(reread.size() == values.size());
    for (size_t i = 0; i < values.size(); ++i) Check(reread[i].text == values[i].text);

    // Writing every setting and then a value taken from the input: each reads
    // back as written.
    app::Settings settings;
    app::ReadSettings(again, settings);
    app::WriteSettings(again, settings);
    std::string_view value = text.substr(0, text.find_first_of("\r\n"));
    if (value.size() >= base::kProfileBufferSize) value = value.substr(0, base::kProfileBufferSize - 1);
    again.WriteString("User", "Name", value);
    base::IniFile written = base::IniFile::Parse(again.Serialize());
    Check(written.ReadString("user", "name", "") == value);
    app::Settings back;
    app::ReadSettings(written, back);
    Check(back.DialAttempts == settings.DialAttempts && back.Fax == settings.Fax && back.On == settings.On);
    return 0;
}
