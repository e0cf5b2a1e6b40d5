#include "base/IniFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "support/TestSupport.h"

namespace vl::base {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;

TEST(IniFileRead, SectionsAndKeysMatchWithoutCaseAndTheFirstWins) {
    IniFile ini = IniFile::Parse(
        "Key=before any section\n"
        "[Modem]\n"
        "ComPort=2\n"
        "comport=5\n"
        "[MODEM]\n"
        "Extra=in the second copy\n");
    EXPECT_EQ(ini.ReadString("modem", "COMPORT", "x"), "2");
    EXPECT_EQ(ini.ReadString("Modem", "Extra", "none"), "none");
    EXPECT_FALSE(ini.HasKey("", "Key"));
    EXPECT_TRUE(ini.HasSection("mOdEm"));
    EXPECT_FALSE(ini.HasSection("Mode"));
}

TEST(IniFileRead, BlanksCommentsAndQuotes) {
    IniFile ini = IniFile::Parse(
        "[ User ]\n"
        "  Name  =  Ann Smith  \n"
        ";Fax=commented out\n"
        "no equals sign here\n"
        "Double=\"  padded  \"\n"
        "Single='x'\n"
        "Mismatched=\"x'\n"
        "Twice=\"\"x\"\"\n"
        "Lone=\"\n"
        "Empty=\n");
    EXPECT_EQ(ini.ReadString("User", "Name", ""), "Ann Smith");
    EXPECT_EQ(ini.ReadString("User", "Fax", "def"), "def");
    EXPECT_EQ(ini.ReadString("User", "no equals sign here", "def"), "def");
    EXPECT_EQ(ini.ReadString("User", "Double", ""), "  padded  ");
    EXPECT_EQ(ini.ReadString("User", "Single", ""), "x");
    EXPECT_EQ(ini.ReadString("User", "Mismatched", ""), "\"x'");
    EXPECT_EQ(ini.ReadString("User", "Twice", ""), "\"x\"");
    EXPECT_EQ(ini.ReadString("User", "Lone", ""), "\"");
    // A present but empty key is empty, not the default.
    EXPECT_EQ(ini.ReadString("User", "Empty", "def"), "");
}

TEST(IniFileRead, EveryLineEndingEndsALineAndCrLfCountsOnce) {
    IniFile ini = IniFile::Parse("\xEF\xBB\xBF[A]\r\nOne=1\rTwo=2\nThree=3\r\n\r\nFour=4");
    EXPECT_EQ(ini.ReadString("A", "One", ""), "1");
    EXPECT_EQ(ini.ReadString("A", "Two", ""), "2");
    EXPECT_EQ(ini.ReadString("A", "Three", ""), "3");
    EXPECT_EQ(ini.ReadString("A", "Four", ""), "4");
    EXPECT_EQ(ini.Serialize(), "\xEF\xBB\xBF[A]\nOne=1\nTwo=2\nThree=3\n\nFour=4\n");
}

TEST(IniFileRead, LongValuesAreCutTo1023Bytes) {
    std::string exact(1023, 'a');
    std::string longer(5000, 'b');
    IniFile ini = IniFile::Parse("[S]\nExact=" + exact + "\nLong=" + longer + "\nQuoted=\"" + longer + "\"\n");
    EXPECT_EQ(ini.ReadString("S", "Exact", ""), exact);
    EXPECT_EQ(ini.ReadString("S", "Long", ""), std::string(1023, 'b'));
    EXPECT_EQ(ini.ReadString("S", "Quoted", ""), std::string(1023, 'b'));
    EXPECT_EQ(ini.ReadString("S", "Missing", longer), std::string(1023, 'b'));
}

TEST(IniFileRead, IntegerRules) {
    struct Case {
        const char* text;
        std::optional<int> value;
    } cases[] = {
        {"0x10", 16},        {"0X1f", 31},          {"  42  ", 42},     {"-7", -7},
        {"+7", 7},           {"0", 0},              {"007", 7},         {"0x7FFFFFFF", 2147483647},
        {"-2147483648", -2147483647 - 1},
        {"0x", std::nullopt},        {"0x0", 0},                {"12abc", std::nullopt},
        {"abc", std::nullopt},       {"", std::nullopt},        {"0x1G", std::nullopt},
        {"0x-5", std::nullopt},      {"0x+5", std::nullopt},    {"+-5", std::nullopt},
        {"2147483648", std::nullopt}, {"0x80000000", std::nullopt}, {"1 2", std::nullopt},
        {"1.5", std::nullopt},       {"x10", std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(ParseProfileInteger(c.text), c.value) << "'" << c.text << "'";

    IniFile ini = IniFile::Parse("[S]\nHex=0x10\nBare=0x\nWord=ten\nQuoted=\" 5 \"\nOn=2\nOff=0\nBad=yes\n");
    EXPECT_EQ(ini.ReadInteger("S", "Hex", -1), 16);
    EXPECT_EQ(ini.ReadInteger("S", "Bare", -1), -1);
    EXPECT_EQ(ini.ReadInteger("S", "Word", -1), -1);
    EXPECT_EQ(ini.ReadInteger("S", "Quoted", -1), 5);
    EXPECT_EQ(ini.ReadInteger("S", "Missing", 9), 9);
    EXPECT_TRUE(ini.ReadBool("S", "On", false));
    EXPECT_FALSE(ini.ReadBool("S", "Off", true));
    EXPECT_TRUE(ini.ReadBool("S", "Bad", true));
    EXPECT_FALSE(ini.ReadBool("S", "Bad", false));
}

TEST(IniFileWrite, ChangesOnlyWhatIsWrittenAndKeepsEveryOtherLine) {
    const std::string original =
        "; written by hand\n"
        "stray text before sections\n"
        "[User]\n"
        "  NAME = Old Name   \n"
        "# not a comment to us, but kept\n"
        "Fax=123\n"
        "\n"
        "[Ports]\r\n"
        "COM1=/dev/ttyS0\r\n";
    IniFile ini = IniFile::Parse(original);
    ini.WriteString("user", "Name", "New Name");
    ini.WriteString("User", "Company", "Acme");
    ini.WriteInteger("Dialing", "DialAttempts", 5);
    ini.WriteBool("Ports", "Locked", true);
    EXPECT_EQ(ini.Serialize(),
              "; written by hand\n"
              "stray text before sections\n"
              "[User]\n"
              "NAME=New Name\n"
              "# not a comment to us, but kept\n"
              "Fax=123\n"
              "Company=Acme\n"
              "\n"
              "[Ports]\n"
              "COM1=/dev/ttyS0\n"
              "Locked=1\n"
              "\n"
              "[Dialing]\n"
              "DialAttempts=5\n");
    EXPECT_EQ(IniFile::Parse(ini.Serialize()).ReadString("User", "Name", ""), "New Name");
}

TEST(IniFileWrite, RemovingKeysEmptiesOnlyTheFirstSectionOfTheNameAndKeepsItsPlace) {
    IniFile ini = IniFile::Parse(
        "[List]\n"
        "; recent entries\n"
        "F0=a\n"
        "F1=b\n"
        "\n"
        "[Other]\n"
        "F0=kept\n"
        "[list]\n"
        "F5=shadowed\n");
    ini.RemoveKeys("LIST");
    ini.RemoveKeys("Missing");
    EXPECT_FALSE(ini.HasKey("List", "F1"));
    ini.WriteString("List", "F0", "c");
    EXPECT_EQ(ini.Serialize(),
              "[List]\n"
              "; recent entries\n"
              "F0=c\n"
              "\n"
              "[Other]\n"
              "F0=kept\n"
              "[list]\n"
              "F5=shadowed\n");
}

TEST(IniFileWrite, ValuesThatReadingWouldAlterAreQuotedSoTheyComeBackAsWritten) {
    IniFile ini;
    const std::string values[] = {"  padded ", "\"quoted\"", "'single'", "\"", "plain value", "", "a=b;c"};
    for (const std::string& v : values) {
        ini.WriteString("S", "K", v);
        EXPECT_EQ(IniFile::Parse(ini.Serialize()).ReadString("S", "K", "?"), v) << ini.Serialize();
    }
    ini.WriteString("S", "K", "plain");
    EXPECT_EQ(ini.Serialize(), "[S]\nK=plain\n");
}

TEST(IniFileWrite, NamesAndValuesThatCannotBeOneLineAreRefused) {
    IniFile ini = IniFile::Parse("[S]\nK=v\n");
    EXPECT_THROW(ini.WriteString("S", "K", "two\nlines"), std::invalid_argument);
    EXPECT_THROW(ini.WriteString("S", "K", "cr\ronly"), std::invalid_argument);
    EXPECT_THROW(ini.WriteString("S", "A=B", "v"), std::invalid_argument);
    EXPECT_THROW(ini.WriteString("S", "", "v"), std::invalid_argument);
    EXPECT_THROW(ini.WriteString("S", "[X]", "v"), std::invalid_argument);
    EXPECT_THROW(ini.WriteString("S", ";K", "v"), std::invalid_argument);
    EXPECT_THROW(ini.WriteString("S]", "K", "v"), std::invalid_argument);
    EXPECT_THROW(ini.WriteString("", "K", "v"), std::invalid_argument);
    EXPECT_EQ(ini.Serialize(), "[S]\nK=v\n");
}

TEST(IniFileLoad, MissingOrUnreadableFilesAreEmpty) {
    TempDir dir;
    IniFile missing = IniFile::Load(dir.folder() + "none.ini");
    EXPECT_EQ(missing.FileName(), dir.folder() + "none.ini");
    EXPECT_EQ(missing.Serialize(), "");
    EXPECT_EQ(missing.ReadInteger("S", "K", 7), 7);
    EXPECT_EQ(IniFile::Load(dir.folder()).Serialize(), "");
    ASSERT_EQ(mkfifo((dir.folder() + "fifo").c_str(), 0600), 0);
    EXPECT_EQ(IniFile::Load(dir.folder() + "fifo").Serialize(), "");
}

TEST(IniFileSave, WritesTheFileAndKeepsUnknownLines) {
    TempDir dir;
    const std::string file = dir.folder() + "VL.INI";
    WriteFile(file, "[Other]\r\n;note\r\nX=1\r\n");
    IniFile ini = IniFile::Load(file);
    ini.WriteString("User", "Name", "Ann");
    ini.Save();
    EXPECT_EQ(ReadFile(file), "[Other]\n;note\nX=1\n\n[User]\nName=Ann\n");
}

TEST(IniFileSave, AFailedWriteThrowsNamingTheFileAndLeavesTheOldOne) {
    TempDir dir;
    // A regular file where a folder should be makes the write fail even for root.
    WriteFile(dir.path() / "notafolder", "old contents");
    const std::string file = dir.folder() + "notafolder/VL.INI";
    IniFile ini = IniFile::Load(file);
    ini.WriteString("User", "Name", "Ann");
    try {
        ini.Save();
        FAIL() << "Save did not throw";
    } catch (const EIniWriteError& e) {
        EXPECT_EQ(e.FileName(), file);
        EXPECT_NE(std::string(e.what()).find(file), std::string::npos) << e.what();
    }
    EXPECT_EQ(ReadFile(dir.path() / "notafolder"), "old contents");
    EXPECT_THROW(IniFile().Save(), EIniWriteError);
}

}  // namespace
}  // namespace vl::base
