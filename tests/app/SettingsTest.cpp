#include "app/Settings.h"

#include <gtest/gtest.h>

#include "support/TestSupport.h"

namespace vl::app {
namespace {

using base::IniFile;
using test::ReadFile;
using test::TempDir;
using test::WriteFile;

std::string DumpOf(const IniFile& ini) {
    std::string out;
    for (const SettingValue& v : SettingValues(ini))
        out += std::string(v.info.section) + "\t" + std::string(v.info.key) + "\t" + v.text + "\n";
    return out;
}

const char kDefaults[] =
    "User\tName\t\n"
    "User\tFax\t\n"
    "User\tVoice\t\n"
    "User\tCompany\t\n"
    "User\tPrefixDisable\t0\n"
    "User\tSuffixDisable\t0\n"
    "Dialing\tDialPrefix\t\n"
    "Dialing\tDialSuffix\t\n"
    "Dialing\tDialAttempts\t3\n"
    "Dialing\tRetryWait\t60\n"
    "Dialing\tToneOrPulse\t0\n"
    "Dialing\tTimeout\t60\n"
    "Dialing\tBlindDial\t0\n"
    "Dialing\tIgnoreBusy\t0\n"
    "Dialing\tECM\t0\n"
    "Modem\tComPort\t-1\n"
    "Modem\tFaxClass\t1\n"
    "Modem\tMaximumBPS\t9600\n"
    "Modem\tInitString\t\n"
    "Modem\tInitStringReceive\t\n"
    "Modem\tFaxClassReceive\t1\n"
    "Modem\tMaximumBPSReceive\t9600\n"
    "Modem\tRenegotiateBetween\t0\n"
    "Modem\tCoding\t2\n"
    "Resetting\tString\t\n"
    "Resetting\tAfterString\t\n"
    "Receive\tAtStartup\t0\n"
    "Receive\tWav\t\n"
    "Receive\tAnswerOnRing\t1\n"
    "Receive\tECMReceive\t0\n"
    "Receive\tPrintOnReceipt\t0\n"
    "Receive\tPrintOnReceiptPrinter\tDefault Windows Printer\n"
    "Receive\tDisableReceivingFaxesNotification\t1\n"
    "Receive\tNotify\t1\n"
    "Receive\tTrayIcon\t0\n"
    "Receive\tCommand\t\n"
    "Hints\tOn\t1\n"
    "Other\tImposeWaitBeforePrinting\t0\n"
    "Other\tUseMotorolaSM56Fix\t0\n"
    "Other\tLastUsedCoversheetTemplate\tvl0001.fct\n"
    "Other\tUseAlternateHeaderFont\t0\n"
    "Other\tGlobalUseAlternateNamingRec\t0\n"
    "Other\tGlobalLargerSendBuffer\t0\n"
    "Other\tGlobalLargerReceiveBuffer\t0\n"
    "Printing\tMultiPage\t0\n"
    "Printing\tHeader\t0\n"
    "Printing\tFooter\t0\n"
    "Printing\tStretch\t0\n"
    "Ports\tCOM1\t/dev/ttyACM0\n"
    "Ports\tCOM2\t/dev/ttyUSB0\n"
    "Ports\tCOM3\t/dev/ttyS0\n"
    "Ports\tCOM4\t/dev/ttyS1\n"
    "Ports\tCOM5\t/dev/ttyACM1\n"
    "Ports\tCOM6\t/dev/ttyUSB1\n";

// Every setting's default, COM7 to COM50 without a device, and the version.
std::string Defaults() {
    std::string text = kDefaults;
    for (int com = 7; com <= 50; ++com) text += "Ports\tCOM" + std::to_string(com) + "\t\n";
    return text + "Version\tVersion\t2.9y\n";
}

// A record with every field away from its default.
Settings Unusual() {
    Settings s;
    s.Name = "Ann \"Fax\" Smith";
    s.Fax = " +1 555 0100 ";
    s.Voice = "555-0101";
    s.Company = "Acme; Ltd = Co";
    s.PrefixDisable = s.SuffixDisable = true;
    s.DialPrefix = "9,";
    s.DialSuffix = "#";
    s.DialAttempts = 7;
    s.RetryWait = 0;
    s.ToneOrPulse = 1;
    s.Timeout = -5;
    s.BlindDial = s.IgnoreBusy = s.ECM = true;
    s.ComPort = 4;
    s.FaxClass = 2;
    s.MaximumBPS = 14400;
    s.InitString = "ATX3";
    s.InitStringReceive = "ATS0=0";
    s.FaxClassReceive = 3;
    s.MaximumBPSReceive = 4800;
    s.RenegotiateBetween = true;
    s.Coding = kCodingUpToMr;
    s.String = "AT&F";
    s.AfterString = "ATZ";
    s.AtStartup = true;
    s.Wav = "/usr/share/sounds/fax.wav";
    s.AnswerOnRing = 8;
    s.ECMReceive = false;
    s.PrintOnReceipt = true;
    s.PrintOnReceiptPrinter = "Laser";
    s.DisableReceivingFaxesNotification = false;
    s.On = false;
    s.ImposeWaitBeforePrinting = s.UseMotorolaSM56Fix = s.UseAlternateHeaderFont = true;
    s.GlobalUseAlternateNamingRec = s.GlobalLargerSendBuffer = s.GlobalLargerReceiveBuffer = true;
    s.LastUsedCoversheetTemplate = "mine.fct";
    return s;
}

std::string DumpOf(const Settings& s) {
    IniFile ini;
    WriteSettings(ini, s);
    return DumpOf(ini);
}

TEST(Settings, AMissingFileGivesEveryDefault) {
    TempDir dir;
    EXPECT_EQ(DumpOf(IniFile::Load(dir.folder() + "VL.INI")), Defaults());
    Settings loaded = Unusual();
    LoadSettings(loaded, dir.folder() + "VL.INI");
    EXPECT_EQ(DumpOf(loaded), DumpOf(Settings{}));
}

TEST(Settings, TheKeyListMatchesTheValuesAndFindsKeysWithoutCase) {
    std::vector<SettingKeyInfo> keys = AllSettingKeys();
    std::vector<SettingValue> values = SettingValues(IniFile());
    ASSERT_EQ(keys.size(), values.size());
    ASSERT_EQ(keys.size(), 99u);  // 44 settings, 4 print options, 50 ports, the version
    for (size_t i = 0; i < keys.size(); ++i) EXPECT_EQ(keys[i].key, values[i].info.key);

    auto found = FindSettingKey("mODEM", "faxclassreceive");
    ASSERT_TRUE(found);
    EXPECT_EQ(found->section, "Modem");
    EXPECT_EQ(found->key, "FaxClassReceive");
    EXPECT_EQ(found->type, SettingType::Integer);
    EXPECT_EQ(FindSettingKey("hints", "on")->type, SettingType::Bool);
    EXPECT_EQ(FindSettingKey("Resetting", "String")->type, SettingType::String);
    EXPECT_TRUE(FindSettingKey("version", "VERSION"));
    EXPECT_FALSE(FindSettingKey("Modem", "Name"));
    // The ports map COM numbers to devices; the defaults show for the first six.
    auto port = FindSettingKey("ports", "com12");
    ASSERT_TRUE(port);
    EXPECT_EQ(port->section, "Ports");
    EXPECT_EQ(port->key, "COM12");
    EXPECT_EQ(port->type, SettingType::DevicePath);
    EXPECT_FALSE(FindSettingKey("Ports", "COM51"));
    EXPECT_FALSE(FindSettingKey("Ports", "COM0"));
    EXPECT_EQ(values[48].info.key, "COM1");
    EXPECT_EQ(values[48].text, "/dev/ttyACM0");
    EXPECT_EQ(values[97].info.key, "COM50");
    EXPECT_EQ(values[97].text, "");
    EXPECT_EQ(SettingValues(IniFile::Parse("[Ports]\nCOM2=/dev/ttyS7\nCOM3=\n"))[49].text, "/dev/ttyS7");
    EXPECT_EQ(SettingValues(IniFile::Parse("[Ports]\nCOM2=/dev/ttyS7\nCOM3=\n"))[50].text, "");
}

TEST(Settings, ReadingUsesTheIntegerRules) {
    IniFile ini = IniFile::Parse(
        "[dialing]\nDIALATTEMPTS=0x10\nRetryWait=soon\nToneOrPulse=0x\n"
        "[Hints]\nOn=0\n[Receive]\nAtStartup=5\nAnswerOnRing= 4 \n");
    Settings s;
    ReadSettings(ini, s);
    EXPECT_EQ(s.DialAttempts, 16);
    EXPECT_EQ(s.RetryWait, 60);
    EXPECT_EQ(s.ToneOrPulse, 0);
    EXPECT_FALSE(s.On);
    EXPECT_TRUE(s.AtStartup);
    EXPECT_EQ(s.AnswerOnRing, 4);
}

TEST(Settings, ACodingOutOfRangeReadsAsTheBest) {
    const struct {
        const char* stored;
        int coding;
    } cases[] = {{"0", kCodingMhOnly}, {"1", kCodingUpToMr}, {"2", kCodingUpToMmr}, {"3", kCodingUpToMmr},
                 {"-1", kCodingUpToMmr}, {"mr", kCodingUpToMmr}, {"", kCodingUpToMmr}};
    for (const auto& c : cases) {
        Settings s;
        s.Coding = kCodingMhOnly;
        ReadSettings(IniFile::Parse(std::string("[Modem]\nCoding=") + c.stored + "\n"), s);
        EXPECT_EQ(s.Coding, c.coding) << c.stored;
    }
}

TEST(Settings, ReceiveKeysFollowTheirCounterpartsUntilSaved) {
    TempDir dir;
    const std::string file = dir.folder() + "VL.INI";
    WriteFile(file, "[Modem]\nInitString=ATX3\nFaxClass=2\nMaximumBPS=14400\nFaxClassReceive=junk\n[Dialing]\nECM=1\n");
    Settings s;
    LoadSettings(s, file);
    EXPECT_EQ(s.InitStringReceive, "ATX3");
    EXPECT_EQ(s.FaxClassReceive, 2);  // unreadable counts as missing
    EXPECT_EQ(s.MaximumBPSReceive, 14400);
    EXPECT_TRUE(s.ECMReceive);

    SaveSettings(s, file);
    IniFile ini = IniFile::Load(file);
    ini.WriteString("Modem", "InitString", "ATM0");
    ini.WriteInteger("Modem", "FaxClass", 3);
    ini.WriteInteger("Modem", "MaximumBPS", 2400);
    ini.WriteBool("Dialing", "ECM", false);
    ini.Save();
    LoadSettings(s, file);
    EXPECT_EQ(s.InitString, "ATM0");
    EXPECT_EQ(s.InitStringReceive, "ATX3");
    EXPECT_EQ(s.FaxClassReceive, 2);
    EXPECT_EQ(s.MaximumBPSReceive, 14400);
    EXPECT_TRUE(s.ECMReceive);
}

TEST(Settings, SaveWritesEveryKeyAndTheVersionAndReadsBackTheSame) {
    TempDir dir;
    const std::string file = dir.folder() + "VL.INI";
    WriteFile(file, "; keep me\n[Ports]\nCOM1=/dev/ttyUSB3\n[Version]\nVersion=1.0\n[Printing]\nHeader=1\n");
    const Settings saved = Unusual();
    SaveSettings(saved, file);
    Settings loaded;
    LoadSettings(loaded, file);
    EXPECT_EQ(DumpOf(loaded), DumpOf(saved));

    IniFile ini = IniFile::Load(file);
    for (const SettingKeyInfo& k : AllSettingKeys()) {
        if (k.section == "Printing" || k.section == "Ports") continue;
        EXPECT_TRUE(ini.HasKey(k.section, k.key)) << k.key;
    }
    EXPECT_EQ(ini.ReadString("Version", "Version", ""), "2.9y");
    EXPECT_EQ(ini.ReadString("Ports", "COM1", ""), "/dev/ttyUSB3");
    EXPECT_EQ(ini.ReadString("Printing", "Header", ""), "1");
    EXPECT_FALSE(ini.HasKey("Printing", "Footer"));
    EXPECT_EQ(ReadFile(file).rfind("; keep me\n", 0), 0u);
    EXPECT_NE(ReadFile(file).find("\nDialAttempts=7\nRetryWait=0\n"), std::string::npos);
}

TEST(Settings, PrintOptionsAreTheirOwnPair) {
    TempDir dir;
    const std::string file = dir.folder() + "VL.INI";
    PrintOptions p;
    LoadPrintOptions(p, file);
    EXPECT_FALSE(p.MultiPage || p.Header || p.Footer || p.Stretch);
    p.MultiPage = p.Stretch = true;
    SavePrintOptions(p, file);
    SaveSettings(Settings{}, file);
    PrintOptions back;
    LoadPrintOptions(back, file);
    EXPECT_TRUE(back.MultiPage);
    EXPECT_FALSE(back.Header);
    EXPECT_FALSE(back.Footer);
    EXPECT_TRUE(back.Stretch);
}

TEST(Settings, AFailedSaveThrowsNamingTheFile) {
    TempDir dir;
    WriteFile(dir.path() / "file", "x");
    const std::string bad = dir.folder() + "file/VL.INI";
    try {
        SaveSettings(Settings{}, bad);
        FAIL() << "no error";
    } catch (const base::EIniWriteError& e) {
        EXPECT_NE(std::string(e.what()).find(bad), std::string::npos);
    }
    EXPECT_THROW(SavePrintOptions(PrintOptions{}, bad), base::EIniWriteError);
}

TEST(Settings, UserValuesAreNormalisedByType) {
    EXPECT_EQ(NormalizeSettingValue(SettingType::Integer, " 0x10 "), "16");
    EXPECT_EQ(NormalizeSettingValue(SettingType::Integer, "-1"), "-1");
    EXPECT_EQ(NormalizeSettingValue(SettingType::Integer, "ten"), std::nullopt);
    EXPECT_EQ(NormalizeSettingValue(SettingType::Integer, ""), std::nullopt);
    EXPECT_EQ(NormalizeSettingValue(SettingType::Bool, "7"), "1");
    EXPECT_EQ(NormalizeSettingValue(SettingType::Bool, "0"), "0");
    EXPECT_EQ(NormalizeSettingValue(SettingType::Bool, "true"), std::nullopt);
    EXPECT_EQ(NormalizeSettingValue(SettingType::String, " as is "), " as is ");
    EXPECT_EQ(NormalizeSettingValue(SettingType::String, ""), "");
    EXPECT_EQ(NormalizeSettingValue(SettingType::String, "two\nlines"), std::nullopt);
    EXPECT_EQ(NormalizeSettingValue(SettingType::DevicePath, "/dev/ttyUSB0"), "/dev/ttyUSB0");
    EXPECT_EQ(NormalizeSettingValue(SettingType::DevicePath, ""), "");
    EXPECT_EQ(NormalizeSettingValue(SettingType::DevicePath, "ttyUSB0"), std::nullopt);
    EXPECT_EQ(NormalizeSettingValue(SettingType::DevicePath, "/dev/tty\nS0"), std::nullopt);
}

}  // namespace
}  // namespace vl::app
