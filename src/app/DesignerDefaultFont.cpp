#include "app/DesignerDefaultFont.h"

#include "app/MenuText.h"

namespace vl::app {

namespace {

constexpr int kDefaultPoints = 10;

}  // namespace

cover::CoverFont ReadDesignerFont(const base::IniFile& ini) {
    cover::CoverFont font;
    font.name = ini.ReadString(kDesignerFontSection, "Name", "Arial");
    const int points = ini.ReadInteger(kDesignerFontSection, "Size", kDefaultPoints);
    font.SetPoints(points >= 1 ? points : kDefaultPoints);
    font.bold = ini.ReadBool(kDesignerFontSection, "Bold", false);
    font.italic = ini.ReadBool(kDesignerFontSection, "Italic", false);
    font.underline = ini.ReadBool(kDesignerFontSection, "Underline", false);
    return font;
}

void WriteDesignerFont(base::IniFile& ini, const cover::CoverFont& font) {
    ini.WriteString(kDesignerFontSection, "Name", font.name);
    ini.WriteInteger(kDesignerFontSection, "Size", font.Points());
    ini.WriteBool(kDesignerFontSection, "Bold", font.bold);
    ini.WriteBool(kDesignerFontSection, "Italic", font.italic);
    ini.WriteBool(kDesignerFontSection, "Underline", font.underline);
}

cover::CoverFont LoadDesignerFont(const std::string& fileName) {
    return ReadDesignerFont(base::IniFile::Load(fileName));
}

void SaveDesignerFont(const cover::CoverFont& font, const std::string& fileName) {
    base::IniFile ini = base::IniFile::Load(fileName);
    WriteDesignerFont(ini, font);
    ini.Save();
}

std::string DesignerFontCaption(const cover::CoverFont& font) {
    std::string caption = "Default Font: " + LiteralMenuText(font.name);
    caption += ", " + std::to_string(font.Points()) + " pt";
    if (font.bold) caption += ", bold";
    if (font.italic) caption += ", italic";
    return caption;
}

}  // namespace vl::app
