// The settings record: every value of VL.INI, with the defaults that apply
// when a key is missing, and its reading and writing.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/ProgramFolders.h"
#include "base/IniFile.h"

namespace vl::app {

// Written to section Version, key Version, on every save.
inline constexpr std::string_view kVersionSection = "Version";
inline constexpr std::string_view kVersionKey = "Version";
inline constexpr std::string_view kProgramVersion = "2.9y";

// The receipt printer value that means "the system's default printer".
inline constexpr std::string_view kDefaultPrinterName = "Default Windows Printer";

// Values of key Coding (section Modem): the best page coding offered on
// calls in both directions. MMR goes only with error correction.
inline constexpr int kCodingMhOnly = 0;
inline constexpr int kCodingUpToMr = 1;
inline constexpr int kCodingUpToMmr = 2;

// Fields are named after their keys; the comments give the sections.
struct Settings {
    // User
    std::string Name;
    std::string Fax;
    std::string Voice;
    std::string Company;
    bool PrefixDisable = false;
    bool SuffixDisable = false;
    // Dialing
    std::string DialPrefix;
    std::string DialSuffix;
    int DialAttempts = 3;
    int RetryWait = 60;
    int ToneOrPulse = 0;
    int Timeout = 60;
    bool BlindDial = false;
    bool IgnoreBusy = false;
    bool ECM = false;
    // Modem
    int ComPort = -1;  // -1: never configured
    int FaxClass = 1;
    int MaximumBPS = 9600;
    std::string InitString;
    std::string InitStringReceive;  // the receive keys default to their sending counterparts
    int FaxClassReceive = 1;
    int MaximumBPSReceive = 9600;
    bool RenegotiateBetween = false;
    int Coding = kCodingUpToMmr;  // a value out of range reads as this default
    // Resetting
    std::string String;  // the modem reset string
    std::string AfterString;
    // Receive
    bool AtStartup = false;
    std::string Wav;
    int AnswerOnRing = 1;
    bool ECMReceive = false;
    bool PrintOnReceipt = false;
    std::string PrintOnReceiptPrinter = std::string(kDefaultPrinterName);
    bool DisableReceivingFaxesNotification = true;
    bool NotifyOnReceipt = true;   // a desktop notification for each fax that arrives
    bool TrayIcon = false;         // an icon in the system tray while receive mode is on
    std::string ReceiptCommand;    // run on each fax received, with its file and sender appended
    // Hints
    bool On = true;  // show hints
    // Other
    bool ImposeWaitBeforePrinting = false;
    bool UseMotorolaSM56Fix = false;
    std::string LastUsedCoversheetTemplate = "vl0001.fct";
    bool UseAlternateHeaderFont = false;
    bool GlobalUseAlternateNamingRec = false;
    bool GlobalLargerSendBuffer = false;
    bool GlobalLargerReceiveBuffer = false;
};

// Section Printing, kept apart from the settings record.
struct PrintOptions {
    bool MultiPage = false;
    bool Header = false;
    bool Footer = false;
    bool Stretch = false;
};

// `coding` when it is a value of key Coding, else the default.
int CodingOrDefault(int coding);

// Every field of the record is set: from the file, else from its default.
void ReadSettings(const base::IniFile& ini, Settings& settings);
// Every key, plus the program version.
void WriteSettings(base::IniFile& ini, const Settings& settings);
void ReadPrintOptions(const base::IniFile& ini, PrintOptions& options);
void WritePrintOptions(base::IniFile& ini, const PrintOptions& options);

// The file-level forms read the file once and write it once, atomically, keeping
// every other section and line. Writing throws base::EIniWriteError.
void LoadSettings(Settings& settings, const std::string& fileName = SettingsFileName());
void SaveSettings(const Settings& settings, const std::string& fileName = SettingsFileName());
void LoadPrintOptions(PrintOptions& options, const std::string& fileName = SettingsFileName());
void SavePrintOptions(const PrintOptions& options, const std::string& fileName = SettingsFileName());

// The keys one by one, for tools that show or change single settings.
// DevicePath: a key of section "Ports", which maps a COM number to a device.
enum class SettingType { String, Integer, Bool, DevicePath };

struct SettingKeyInfo {
    std::string_view section;
    std::string_view key;
    SettingType type;
};

struct SettingValue {
    SettingKeyInfo info;
    std::string text;  // integers in decimal, booleans "1" or "0"
};

// Every key in file order: the settings record, the print options, the
// ports COM1 to COM50, and the version last. Section and key are spelled as
// the program writes them.
std::vector<SettingKeyInfo> AllSettingKeys();
// Looks a key up without regard to letter case; empty when it is not a setting.
std::optional<SettingKeyInfo> FindSettingKey(std::string_view section, std::string_view key);
// The value of every key as the program sees it when it reads this file
// (defaults for missing keys, the receive keys following their counterparts).
std::vector<SettingValue> SettingValues(const base::IniFile& ini);
// The text to store for a value given by a user: integers and booleans must
// parse as integers and are stored in decimal or as "1"/"0"; a device path
// is absolute, or empty for a COM number without a device. Empty when the
// value cannot be stored (not a number, not a path, or a line break).
std::optional<std::string> NormalizeSettingValue(SettingType type, std::string_view text);

}  // namespace vl::app
