#include "app/Settings.h"

#include <optional>
#include <span>
#include <variant>

#include "base/TextCase.h"
#include "serial/PortNames.h"

namespace vl::app {

namespace {

using base::IniFile;

// The kinds of field a record's keys may name. A record without text or
// integer fields names only those it has, so that no visit ever reaches a
// member pointer type the record cannot hold.
template <class Record>
struct KeyMembers {
    using type = std::variant<std::string Record::*, int Record::*, bool Record::*>;
};
template <>
struct KeyMembers<PrintOptions> {
    using type = std::variant<bool PrintOptions::*>;
};

// One key of a record: where it lives in the file and which field holds it.
template <class Record>
struct KeyDef {
    using Member = typename KeyMembers<Record>::type;
    std::string_view section;
    std::string_view key;
    Member member;
    // A key that, when missing or unreadable, takes the value of this earlier
    // field instead of a fixed default.
    std::optional<Member> follows = std::nullopt;
};

// In file order. Fields that follow another come after it.
const KeyDef<Settings> kSettingsKeys[] = {
    {"User", "Name", &Settings::Name},
    {"User", "Fax", &Settings::Fax},
    {"User", "Voice", &Settings::Voice},
    {"User", "Company", &Settings::Company},
    {"User", "PrefixDisable", &Settings::PrefixDisable},
    {"User", "SuffixDisable", &Settings::SuffixDisable},
    {"Dialing", "DialPrefix", &Settings::DialPrefix},
    {"Dialing", "DialSuffix", &Settings::DialSuffix},
    {"Dialing", "DialAttempts", &Settings::DialAttempts},
    {"Dialing", "RetryWait", &Settings::RetryWait},
    {"Dialing", "ToneOrPulse", &Settings::ToneOrPulse},
    {"Dialing", "Timeout", &Settings::Timeout},
    {"Dialing", "BlindDial", &Settings::BlindDial},
    {"Dialing", "IgnoreBusy", &Settings::IgnoreBusy},
    {"Dialing", "ECM", &Settings::ECM},
    {"Modem", "ComPort", &Settings::ComPort},
    {"Modem", "FaxClass", &Settings::FaxClass},
    {"Modem", "MaximumBPS", &Settings::MaximumBPS},
    {"Modem", "InitString", &Settings::InitString},
    {"Modem", "InitStringReceive", &Settings::InitStringReceive, &Settings::InitString},
    {"Modem", "FaxClassReceive", &Settings::FaxClassReceive, &Settings::FaxClass},
    {"Modem", "MaximumBPSReceive", &Settings::MaximumBPSReceive, &Settings::MaximumBPS},
    {"Modem", "RenegotiateBetween", &Settings::RenegotiateBetween},
    {"Modem", "Coding", &Settings::Coding},
    {"Resetting", "String", &Settings::String},
    {"Resetting", "AfterString", &Settings::AfterString},
    {"Receive", "AtStartup", &Settings::AtStartup},
    {"Receive", "Wav", &Settings::Wav},
    {"Receive", "AnswerOnRing", &Settings::AnswerOnRing},
    {"Receive", "ECMReceive", &Settings::ECMReceive, &Settings::ECM},
    {"Receive", "PrintOnReceipt", &Settings::PrintOnReceipt},
    {"Receive", "PrintOnReceiptPrinter", &Settings::PrintOnReceiptPrinter},
    {"Receive", "DisableReceivingFaxesNotification", &Settings::DisableReceivingFaxesNotification},
    {"Receive", "Notify", &Settings::NotifyOnReceipt},
    {"Receive", "TrayIcon", &Settings::TrayIcon},
    {"Receive", "Command", &Settings::ReceiptCommand},
    {"Hints", "On", &Settings::On},
    {"Other", "ImposeWaitBeforePrinting", &Settings::ImposeWaitBeforePrinting},
    {"Other", "UseMotorolaSM56Fix", &Settings::UseMotorolaSM56Fix},
    {"Other", "LastUsedCoversheetTemplate", &Settings::LastUsedCoversheetTemplate},
    {"Other", "UseAlternateHeaderFont", &Settings::UseAlternateHeaderFont},
    {"Other", "GlobalUseAlternateNamingRec", &Settings::GlobalUseAlternateNamingRec},
    {"Other", "GlobalLargerSendBuffer", &Settings::GlobalLargerSendBuffer},
    {"Other", "GlobalLargerReceiveBuffer", &Settings::GlobalLargerReceiveBuffer},
};

const KeyDef<PrintOptions> kPrintOptionKeys[] = {
    {"Printing", "MultiPage", &PrintOptions::MultiPage},
    {"Printing", "Header", &PrintOptions::Header},
    {"Printing", "Footer", &PrintOptions::Footer},
    {"Printing", "Stretch", &PrintOptions::Stretch},
};

std::string ReadValue(const IniFile& ini, std::string_view s, std::string_view k, const std::string& def) {
    return ini.ReadString(s, k, def);
}
int ReadValue(const IniFile& ini, std::string_view s, std::string_view k, int def) {
    return ini.ReadInteger(s, k, def);
}
bool ReadValue(const IniFile& ini, std::string_view s, std::string_view k, bool def) {
    return ini.ReadBool(s, k, def);
}

std::string ValueText(const std::string& value) { return value; }
std::string ValueText(int value) { return std::to_string(value); }
std::string ValueText(bool value) { return value ? "1" : "0"; }

template <class Record>
void ReadKeys(const IniFile& ini, std::span<const KeyDef<Record>> keys, Record& record) {
    static const Record defaults{};
    for (const auto& k : keys) {
        std::visit(
            [&](auto member) {
                auto def = defaults.*member;
                if (k.follows) def = record.*std::get<decltype(member)>(*k.follows);
                record.*member = ReadValue(ini, k.section, k.key, def);
            },
            k.member);
    }
}

template <class Record>
void WriteKeys(IniFile& ini, std::span<const KeyDef<Record>> keys, const Record& record) {
    for (const auto& k : keys)
        std::visit([&](auto member) { ini.WriteString(k.section, k.key, ValueText(record.*member)); }, k.member);
}

template <class Record>
SettingType TypeOf(std::string Record::*) { return SettingType::String; }
template <class Record>
SettingType TypeOf(int Record::*) { return SettingType::Integer; }
template <class Record>
SettingType TypeOf(bool Record::*) { return SettingType::Bool; }

template <class Record>
SettingKeyInfo InfoOf(const KeyDef<Record>& k) {
    return {k.section, k.key, std::visit([](auto member) { return TypeOf(member); }, k.member)};
}

template <class Record>
void AppendValues(std::span<const KeyDef<Record>> keys, const Record& record, std::vector<SettingValue>& out) {
    for (const auto& k : keys)
        std::visit([&](auto member) { out.push_back({InfoOf(k), ValueText(record.*member)}); }, k.member);
}

const SettingKeyInfo kVersionInfo{kVersionSection, kVersionKey, SettingType::String};

// The ports are read by the comm port, not kept in the settings record.
SettingKeyInfo PortKeyInfo(int comNumber) {
    return {serial::kPortsSection, serial::ComKey(comNumber), SettingType::DevicePath};
}

}  // namespace

int CodingOrDefault(int coding) {
    return coding >= kCodingMhOnly && coding <= kCodingUpToMmr ? coding : Settings{}.Coding;
}

void ReadSettings(const IniFile& ini, Settings& settings) {
    ReadKeys<Settings>(ini, kSettingsKeys, settings);
    settings.Coding = CodingOrDefault(settings.Coding);
}

void WriteSettings(IniFile& ini, const Settings& settings) {
    WriteKeys<Settings>(ini, kSettingsKeys, settings);
    ini.WriteString(kVersionSection, kVersionKey, kProgramVersion);
}

void ReadPrintOptions(const IniFile& ini, PrintOptions& options) {
    ReadKeys<PrintOptions>(ini, kPrintOptionKeys, options);
}

void WritePrintOptions(IniFile& ini, const PrintOptions& options) {
    WriteKeys<PrintOptions>(ini, kPrintOptionKeys, options);
}

void LoadSettings(Settings& settings, const std::string& fileName) {
    ReadSettings(IniFile::Load(fileName), settings);
}

void SaveSettings(const Settings& settings, const std::string& fileName) {
    IniFile ini = IniFile::Load(fileName);
    WriteSettings(ini, settings);
    ini.Save();
}

void LoadPrintOptions(PrintOptions& options, const std::string& fileName) {
    ReadPrintOptions(IniFile::Load(fileName), options);
}

void SavePrintOptions(const PrintOptions& options, const std::string& fileName) {
    IniFile ini = IniFile::Load(fileName);
    WritePrintOptions(ini, options);
    ini.Save();
}

std::vector<SettingKeyInfo> AllSettingKeys() {
    std::vector<SettingKeyInfo> keys;
    for (const auto& k : kSettingsKeys) keys.push_back(InfoOf(k));
    for (const auto& k : kPrintOptionKeys) keys.push_back(InfoOf(k));
    for (int com = 1; com <= serial::kMaxComNumber; ++com) keys.push_back(PortKeyInfo(com));
    keys.push_back(kVersionInfo);
    return keys;
}

std::optional<SettingKeyInfo> FindSettingKey(std::string_view section, std::string_view key) {
    for (const SettingKeyInfo& info : AllSettingKeys())
        if (base::EqualsNoCase(info.section, section) && base::EqualsNoCase(info.key, key)) return info;
    return std::nullopt;
}

std::vector<SettingValue> SettingValues(const IniFile& ini) {
    Settings settings;
    ReadSettings(ini, settings);
    PrintOptions options;
    ReadPrintOptions(ini, options);
    std::vector<SettingValue> values;
    AppendValues<Settings>(kSettingsKeys, settings, values);
    AppendValues<PrintOptions>(kPrintOptionKeys, options, values);
    for (int com = 1; com <= serial::kMaxComNumber; ++com)
        values.push_back({PortKeyInfo(com), serial::DevicePathForCom(com, ini)});
    values.push_back({kVersionInfo, std::string(kProgramVersion)});
    return values;
}

std::optional<std::string> NormalizeSettingValue(SettingType type, std::string_view text) {
    if (type == SettingType::String || type == SettingType::DevicePath) {
        if (text.find_first_of("\r\n") != std::string_view::npos) return std::nullopt;
        if (type == SettingType::DevicePath && !text.empty() && text.front() != '/') return std::nullopt;
        return std::string(text);
    }
    std::optional<int> value = base::ParseProfileInteger(text);
    if (!value) return std::nullopt;
    return type == SettingType::Integer ? ValueText(*value) : ValueText(*value != 0);
}

}  // namespace vl::app
