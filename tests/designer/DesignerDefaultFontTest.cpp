// The designer's default font in the settings file and its menu caption.
#include "app/DesignerDefaultFont.h"

#include <gtest/gtest.h>

#include "support/TestSupport.h"

namespace vl::test {
namespace {

TEST(DesignerDefaultFont, StoredValuesDefaultsAndUnusableSizes)
{
    EXPECT_EQ(app::ReadDesignerFont(base::IniFile()), cover::CoverFont());
    EXPECT_EQ(app::DesignerFontCaption(cover::CoverFont()), "Default Font: Arial, 10 pt");
    const base::IniFile ini = base::IniFile::Parse("[cd default font]\nname=Times New Roman\nSIZE=14\nBold=1\n"
                                                   "Italic=0\nUnderline=-1\n");
    const cover::CoverFont font = app::ReadDesignerFont(ini);
    EXPECT_EQ(font.name, "Times New Roman");
    EXPECT_EQ(font.Points(), 14);
    EXPECT_TRUE(font.bold);
    EXPECT_FALSE(font.italic);
    EXPECT_TRUE(font.underline);
    for (const char* size : {"0", "-3", "big"}) {
        const base::IniFile bad = base::IniFile::Parse(std::string("[CD Default Font]\nSize=") + size + "\n");
        EXPECT_EQ(app::ReadDesignerFont(bad).Points(), 10) << size;
    }
}

TEST(DesignerDefaultFont, WrittenFontReadsBackThroughTheSettingsFile)
{
    TempDir dir;
    const std::string file = dir.folder() + "VL.INI";
    WriteFile(file, "[CDMRU]\nF0=/c/A.FCS\n");
    cover::CoverFont font;
    font.name = "Courier New";
    font.SetPoints(12);
    font.italic = true;
    font.underline = true;
    app::SaveDesignerFont(font, file);
    const cover::CoverFont back = app::LoadDesignerFont(file);
    EXPECT_EQ(back, font);
    const base::IniFile ini = base::IniFile::Load(file);
    EXPECT_EQ(ini.ReadString("CD Default Font", "Bold", ""), "0");
    EXPECT_EQ(ini.ReadString("CDMRU", "F0", ""), "/c/A.FCS");
}

TEST(DesignerDefaultFont, CaptionNamesBoldAndItalicButNotUnderline)
{
    struct Case {
        bool bold, italic, underline;
        const char* caption;
    };
    const Case cases[] = {
        {true, false, false, "Default Font: Arial, 10 pt, bold"},
        {false, true, true, "Default Font: Arial, 10 pt, italic"},
        {true, true, false, "Default Font: Arial, 10 pt, bold, italic"},
    };
    for (const Case& c : cases) {
        cover::CoverFont font;
        font.SetPoints(10);
        font.bold = c.bold;
        font.italic = c.italic;
        font.underline = c.underline;
        EXPECT_EQ(app::DesignerFontCaption(font), c.caption);
    }
    cover::CoverFont font;
    font.name = "A&B";
    font.SetPoints(9);
    EXPECT_EQ(app::DesignerFontCaption(font), "Default Font: A&&B, 9 pt");
}

}  // namespace
}  // namespace vl::test
