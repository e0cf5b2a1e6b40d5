// The cover data file: what an edited cover finds again, from files this
// program wrote and from files other systems left.
#include "app/CoverData.h"

#include <gtest/gtest.h>

#include "support/TestSupport.h"

namespace vl::test {
namespace {

using app::CoverData;
using app::ImportanceFlags;

TEST(CoverData, FlagsSurviveOnlyAsExactlyFiveCharacters)
{
    struct Case {
        const char* text;
        ImportanceFlags flags;
    };
    for (const Case& c : {Case{"X X X", {true, false, true, false, true}}, Case{"     ", {}},
                          Case{"XXXXX", {true, true, true, true, true}}, Case{"x    ", {}},
                          Case{"X X ", {}}, Case{"X X X ", {}}, Case{"", {}}}) {
        EXPECT_EQ(app::ParseFlags(c.text), c.flags) << '"' << c.text << '"';
    }
    const ImportanceFlags some = {false, true, false, false, true};
    EXPECT_EQ(app::FlagsText(some), " X  X");
    EXPECT_EQ(app::ParseFlags(app::FlagsText(some)), some);
}

TEST(CoverData, AWrittenFileReadsBackWithBlankLinesAndTrailingBlanksKept)
{
    TempDir dir;
    const std::string path = dir.folder() + "COV00003.FCD";
    const CoverData data{"vl0002.fct", "X    ", {"Dear Ann,", "", "the order ships today.  ", "Grüße"}};
    app::WriteCoverData(path, data);
    EXPECT_EQ(ReadFile(path),
              "vl0002.fct\r\nX    \r\nDear Ann,\r\n\r\nthe order ships today.  \r\nGr\xC3\xBC\xC3\x9F" "e\r\n");
    EXPECT_EQ(app::ReadCoverData(path), data);
}

TEST(CoverData, FilesFromElsewhereAreReadAsFarAsTheyGo)
{
    // A Windows path, LF and CR line ends, a Windows-1252 message line.
    const CoverData old = app::ParseCoverData("C:\\Fax\\Covers\\VL0003.FCT\n X   \rSch\xF6n\n");
    EXPECT_EQ(old.templateName, "VL0003.FCT");
    EXPECT_EQ(old.flagsText, " X   ");
    EXPECT_EQ(old.messageLines, std::vector<std::string>{"Sch\xC3\xB6n"});

    const CoverData onlyTemplate = app::ParseCoverData("vl0001.fct");
    EXPECT_EQ(onlyTemplate.templateName, "vl0001.fct");
    EXPECT_TRUE(onlyTemplate.flagsText.empty());
    EXPECT_TRUE(onlyTemplate.messageLines.empty());

    TempDir dir;
    EXPECT_FALSE(app::ReadCoverData(dir.folder() + "missing.fcd").has_value());
    EXPECT_FALSE(app::ReadCoverData(dir.folder()).has_value());
}

}  // namespace
}  // namespace vl::test
