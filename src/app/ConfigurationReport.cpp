#include "app/ConfigurationReport.h"

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>

#include "app/PrinterDriverLink.h"
#include "app/ProgramFolders.h"
#include "app/SettingChoices.h"
#include "app/Settings.h"
#include "app/TextFiles.h"
#include "base/AtomicFile.h"
#include "base/PathNoCase.h"
#include "base/ShortTimeFormat.h"
#include "serial/PortNames.h"

namespace vl::app {

namespace {

std::string LocalTimeText(const char* pattern, std::time_t when) {
    std::tm local{};
    localtime_r(&when, &local);
    char text[256];
    return std::string(text, std::strftime(text, sizeof text, pattern, &local));
}

// The whole file, or nothing when it is not a readable file.
std::optional<std::string> ReadLog(const std::string& file) {
    std::error_code error;
    const auto size = std::filesystem::file_size(file, error);
    if (error || !std::filesystem::is_regular_file(file, error)) return std::nullopt;
    return ReadFileStart(file, static_cast<std::size_t>(size));
}

std::string_view ToneOrPulseName(int value) {
    switch (value) {
        case 0: return "Tone";
        case 1: return "Pulse";
        default: return "unknown";
    }
}

}  // namespace

ReportSources ReportSources::ThisSystem() {
    ReportSources sources;
    sources.programFolder = ProgramFolder();
    sources.settingsFile = SettingsFileName();
    sources.now = std::time(nullptr);
    struct stat program {};
    if (stat("/proc/self/exe", &program) == 0) sources.buildTime = program.st_mtime;
    return sources;
}

ConfigurationReport::ConfigurationReport(const ReportSources& sources)
    : sources_(sources), ini_(base::IniFile::Load(sources.settingsFile)) {
    Guarded(&ConfigurationReport::AddDate);
    Guarded(&ConfigurationReport::AddProduct);
    Guarded(&ConfigurationReport::AddEnvironment);
    Guarded(&ConfigurationReport::AddSerialDevices);
    Guarded(&ConfigurationReport::AddComPorts);
    Guarded(&ConfigurationReport::AddSettings);
    Guarded(&ConfigurationReport::AddOtherPrograms);
    Guarded(&ConfigurationReport::AddLogs);
}

std::string ConfigurationReport::Text() const {
    std::string text;
    for (const std::string& line : lines_) text += line + "\n";
    return text;
}

void ConfigurationReport::SaveAs(const std::string& fileName) const { base::ReplaceFileAtomically(fileName, Text()); }

void ConfigurationReport::Guarded(void (ConfigurationReport::*block)()) {
    const std::size_t before = lines_.size();
    try {
        (this->*block)();
    } catch (const std::exception&) {
        lines_.resize(before);
    }
}

void ConfigurationReport::Add(std::string line) { lines_.push_back(std::move(line)); }

void ConfigurationReport::Add(std::string_view label, std::string_view value) {
    lines_.push_back(std::string(label) + "\t" + std::string(value));
}

void ConfigurationReport::AddYesNo(std::string_view label, bool value) { Add(label, value ? "Yes" : "No"); }

void ConfigurationReport::AddDate() {
    Add(LocalTimeText(base::kLongDatePattern, sources_.now));
    Add("");
}

void ConfigurationReport::AddProduct() {
    Add("[Product]");
    Add("Program:     ", "Vellora");
    Add("Version:     ", kProgramVersion);
    Add("Build Date:  ", LocalTimeText("%x", sources_.buildTime));
    Add("Engine:      ", "v3.04");
    Add("");
}

void ConfigurationReport::AddSettings() {
    Settings s;
    ReadSettings(ini_, s);
    PrintOptions print;
    ReadPrintOptions(ini_, print);
    Add("");
    Add("[" + sources_.settingsFile + "]");
    Add("");
    Add("{general}");
    Add("COM Port:             ", serial::PortLabel(s.ComPort + 1, serial::DevicePathForCom(s.ComPort + 1, ini_)));
    Add("Tone/Pulse:           ", ToneOrPulseName(s.ToneOrPulse));
    Add("Reset String          ", s.String);
    Add("Post Reset String:    ", s.AfterString);
    Add("{sending}");
    Add("Fax Class:            ", FaxClassName(s.FaxClass));
    Add("Max BPS:              ", std::to_string(s.MaximumBPS));
    Add("Modem Init:           ", s.InitString);
    AddYesNo("ECM:                  ", s.ECM);
    Add("Coding:               ", std::string(CodingName(s.Coding)));
    Add("Dial Prefix:          ", s.DialPrefix);
    Add("Dial Suffix:          ", s.DialSuffix);
    Add("Dial Attempts:        ", std::to_string(s.DialAttempts));
    Add("Retry Wait:           ", std::to_string(s.RetryWait));
    AddYesNo("Blind Dial:           ", s.BlindDial);
    AddYesNo("Ignore Busy:          ", s.IgnoreBusy);
    AddYesNo("Renegotiate Between:  ", s.RenegotiateBetween);
    AddYesNo("Alternate header font ", s.UseAlternateHeaderFont);
    AddYesNo("Larger send buffer    ", s.GlobalLargerSendBuffer);
    Add("{receiving}");
    Add("Receive Fax Class:    ", FaxClassName(s.FaxClassReceive));
    Add("Receive Max BPS:      ", std::to_string(s.MaximumBPSReceive));
    Add("Receive Init String:  ", s.InitStringReceive);
    Add("Answer On Ring:       ", std::to_string(s.AnswerOnRing));
    AddYesNo("Receive Startup:      ", s.AtStartup);
    AddYesNo("ECM Receive:          ", s.ECMReceive);
    Add("WAV File:             ", s.Wav);
    AddYesNo("Print On Receipt:     ", s.PrintOnReceipt);
    Add("Printer (POR):        ", s.PrintOnReceiptPrinter);
    AddYesNo("Alternate naming rec  ", s.GlobalUseAlternateNamingRec);
    AddYesNo("Larger rec buffer     ", s.GlobalLargerReceiveBuffer);
    Add("{misc}");
    AddYesNo("SM56 Fix              ", s.UseMotorolaSM56Fix);
    AddYesNo("RAGE MOBILITY FIX     ", s.ImposeWaitBeforePrinting);
    AddYesNo("ShowHint:             ", s.On);
    AddYesNo("Disable Prefix:       ", s.PrefixDisable);
    Add("{printing}");
    AddYesNo("Print Multi           ", print.MultiPage);
    AddYesNo("Print Header          ", print.Header);
    AddYesNo("Print Footer          ", print.Footer);
    AddYesNo("Print Stretch         ", print.Stretch);
    Add("{vlpd}");
    const PrinterDriverLink link = ReadPrinterDriverLink(sources_.programFolder + "VLPD.INI");
    Add("VLPDOUT:              ", link.VLOutPath);
    Add("VLPDEXE:              ", link.VLExecutable);
    Add("Program Path          ", sources_.programFolder);
}

void ConfigurationReport::AddLogs() {
    if (const auto send = ReadLog(base::PathNoCase(sources_.programFolder, "Lastsend.log"))) {
        Add("");
        Add("[Last Send Session]");
        Add("");
        for (std::string& line : SplitTextLines(*send)) Add(std::move(line));
        Add("");
    }
    if (const auto receive = ReadLog(base::PathNoCase(sources_.programFolder, "Lastrec.log"))) {
        Add("");
        Add("[Last Receive Session]");
        Add("");
        std::vector<std::string> lines = SplitTextLines(*receive, kReceiveLogMaxLines + 1);
        const bool cut = lines.size() > kReceiveLogMaxLines;
        lines.resize(std::min(lines.size(), kReceiveLogMaxLines));
        for (std::string& line : lines) Add(std::move(line));
        if (cut) Add(std::string(kReceiveLogCapMarker));
        Add("");
    }
}

}  // namespace vl::app
