// The font the cover designer gives new text objects, kept in the settings
// file's section "CD Default Font", and the menu caption that shows it.
#pragma once

#include <string>
#include <string_view>

#include "app/ProgramFolders.h"
#include "base/IniFile.h"
#include "cover/CoverFont.h"

namespace vl::app {

inline constexpr std::string_view kDesignerFontSection = "CD Default Font";

// Name ("Arial"), Size in points (10), Bold, Italic, Underline (false); the
// colour and the rest are a new font's. A size below 1 point reads as the
// default: such a font could not be seen.
cover::CoverFont ReadDesignerFont(const base::IniFile& ini);
void WriteDesignerFont(base::IniFile& ini, const cover::CoverFont& font);

// The same with the settings file read and written back whole; writing
// throws base::EIniWriteError.
cover::CoverFont LoadDesignerFont(const std::string& fileName = SettingsFileName());
void SaveDesignerFont(const cover::CoverFont& font, const std::string& fileName = SettingsFileName());

// "Default Font: " + name + ", " + points + " pt", then ", bold" and
// ", italic" when they apply; a "&" in the name is doubled so that the menu
// shows it instead of making it a shortcut.
std::string DesignerFontCaption(const cover::CoverFont& font);

}  // namespace vl::app
