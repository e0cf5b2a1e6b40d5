#include "base/IniFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <climits>
#include <system_error>

#include "base/AtomicFile.h"
#include "base/TextCase.h"

namespace vl::base {

namespace {

constexpr std::string_view kBlanks = " \t\v\f";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::size_t npos = std::string::npos;

std::string_view Trim(std::string_view s) {
    size_t first = s.find_first_not_of(kBlanks);
    if (first == npos) return {};
    size_t last = s.find_last_not_of(kBlanks);
    return s.substr(first, last - first + 1);
}

bool IsQuoted(std::string_view s) {
    return s.size() >= 2 && (s.front() == '"' || s.front() == '\'') && s.back() == s.front();
}

bool HasLineBreak(std::string_view s) { return s.find_first_of("\r\n") != npos; }

// The whole of a regular file; empty for anything else or on any error, and
// never blocking (a FIFO at the path would otherwise hang the reader).
std::string ReadWholeFile(const std::string& fileName) {
    std::string bytes;
    int fd = open(fileName.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return bytes;
    struct stat st {};
    if (fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
        char buf[8192];
        for (;;) {
            ssize_t n = read(fd, buf, sizeof buf);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) {
                bytes.clear();
                break;
            }
            if (n == 0) break;
            bytes.append(buf, static_cast<size_t>(n));
        }
    }
    close(fd);
    return bytes;
}

}  // namespace

EIniWriteError::EIniWriteError(const std::string& fileName, const std::string& reason)
    : std::runtime_error("Cannot write " + fileName + ": " + reason), fileName_(fileName) {}

std::optional<int> ParseProfileInteger(std::string_view text) {
    text = Trim(text);
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        text.remove_prefix(2);
        base = 16;
    } else if (!text.empty() && text[0] == '+') {
        // from_chars takes a minus sign but not a plus sign.
        text.remove_prefix(1);
        if (!text.empty() && text[0] == '-') return std::nullopt;
    }
    if (text.empty() || (base == 16 && text[0] == '-')) return std::nullopt;
    int value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

IniFile IniFile::Load(const std::string& fileName) { return Parse(ReadWholeFile(fileName), fileName); }

IniFile IniFile::Parse(std::string_view text, std::string fileName) {
    IniFile ini;
    ini.fileName_ = std::move(fileName);
    ini.byteOrderMark_ = text.substr(0, kByteOrderMark.size()) == kByteOrderMark;
    if (ini.byteOrderMark_) text.remove_prefix(kByteOrderMark.size());
    bool inSection = false;
    while (!text.empty()) {
        size_t end = text.find_first_of("\r\n");
        std::string_view line = text.substr(0, end);
        if (end == npos) {
            text = {};
        } else {
            text.remove_prefix(text.compare(end, 2, "\r\n") == 0 ? end + 2 : end + 1);
        }
        ini.lines_.push_back(ParseLine(std::string(line), inSection));
        if (ini.lines_.back().kind == LineKind::Section) inSection = true;
    }
    return ini;
}

IniFile::Line IniFile::ParseLine(std::string text, bool inSection) {
    Line line;
    std::string_view t = Trim(text);
    if (!t.empty() && t.front() == '[') {
        // The name runs to the first "]", or to the end of a line that lacks one.
        t.remove_prefix(1);
        line.kind = LineKind::Section;
        line.name = Trim(t.substr(0, t.find(']')));
    } else if (inSection && !t.empty() && t.front() != ';') {
        size_t eq = t.find('=');
        if (eq != npos) {
            line.kind = LineKind::Entry;
            line.name = Trim(t.substr(0, eq));
            line.value = Trim(t.substr(eq + 1));
        }
    }
    line.text = std::move(text);
    return line;
}

std::size_t IniFile::FindSection(std::string_view section) const {
    for (size_t i = 0; i < lines_.size(); ++i)
        if (lines_[i].kind == LineKind::Section && EqualsNoCase(lines_[i].name, section)) return i;
    return npos;
}

std::size_t IniFile::FindEntry(std::size_t sectionLine, std::string_view key) const {
    for (size_t i = sectionLine + 1; i < lines_.size() && lines_[i].kind != LineKind::Section; ++i)
        if (lines_[i].kind == LineKind::Entry && EqualsNoCase(lines_[i].name, key)) return i;
    return npos;
}

const IniFile::Line* IniFile::Find(std::string_view section, std::string_view key) const {
    size_t s = FindSection(section);
    if (s == npos) return nullptr;
    size_t e = FindEntry(s, key);
    return e == npos ? nullptr : &lines_[e];
}

bool IniFile::HasSection(std::string_view section) const { return FindSection(section) != npos; }

bool IniFile::HasKey(std::string_view section, std::string_view key) const {
    return Find(section, key) != nullptr;
}

std::string IniFile::ReadString(std::string_view section, std::string_view key, std::string_view def) const {
    const Line* line = Find(section, key);
    std::string_view value = line ? std::string_view(line->value) : def;
    if (line && IsQuoted(value)) value = value.substr(1, value.size() - 2);
    return std::string(value.substr(0, kProfileBufferSize - 1));
}

int IniFile::ReadInteger(std::string_view section, std::string_view key, int def) const {
    return ParseProfileInteger(ReadString(section, key, "")).value_or(def);
}

bool IniFile::ReadBool(std::string_view section, std::string_view key, bool def) const {
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

void IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    if (section.empty() || Trim(section) != section || HasLineBreak(section) || section.find(']') != npos)
        throw std::invalid_argument("bad INI section name '" + std::string(section) + "'");
    if (key.empty() || Trim(key) != key || HasLineBreak(key) || key.find('=') != npos || key.front() == '[' ||
        key.front() == ';')
        throw std::invalid_argument("bad INI key name '" + std::string(key) + "'");
    if (HasLineBreak(value)) throw std::invalid_argument("INI value for '" + std::string(key) + "' has a line break");

    std::string stored(value);
    if (Trim(value).size() != value.size() || IsQuoted(value)) stored = "\"" + stored + "\"";

    size_t s = FindSection(section);
    if (s == npos) {
        if (!lines_.empty() && !Trim(lines_.back().text).empty()) lines_.push_back(Line{});
        lines_.push_back(ParseLine("[" + std::string(section) + "]", false));
        lines_.push_back(ParseLine(std::string(key) + "=" + stored, true));
        return;
    }
    size_t e = FindEntry(s, key);
    if (e != npos) {
        lines_[e] = ParseLine(lines_[e].name + "=" + stored, true);
        return;
    }
    // New keys go after the section's last non-blank line, so blank lines
    // that separate it from the next section stay where they are.
    size_t insertAt = s + 1;
    for (size_t i = s + 1; i < lines_.size() && lines_[i].kind != LineKind::Section; ++i)
        if (!Trim(lines_[i].text).empty()) insertAt = i + 1;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAt),
                  ParseLine(std::string(key) + "=" + stored, true));
}

void IniFile::WriteInteger(std::string_view section, std::string_view key, int value) {
    WriteString(section, key, std::to_string(value));
}

void IniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
    WriteString(section, key, value ? "1" : "0");
}

void IniFile::RemoveKeys(std::string_view section) {
    size_t s = FindSection(section);
    if (s == npos) return;
    size_t end = s + 1;
    while (end < lines_.size() && lines_[end].kind != LineKind::Section) ++end;
    auto first = lines_.begin() + static_cast<std::ptrdiff_t>(s + 1);
    lines_.erase(std::remove_if(first, lines_.begin() + static_cast<std::ptrdiff_t>(end),
                                [](const Line& line) { return line.kind == LineKind::Entry; }),
                 lines_.begin() + static_cast<std::ptrdiff_t>(end));
}

std::string IniFile::Serialize() const {
    std::string out(byteOrderMark_ ? kByteOrderMark : "");
    for (const Line& line : lines_) {
        out += line.text;
        out += '\n';
    }
    return out;
}

void IniFile::Save() const {
    if (fileName_.empty()) throw EIniWriteError("(unnamed INI file)", "no file name");
    try {
        ReplaceFileAtomically(fileName_, Serialize());
    } catch (const std::system_error& e) {
        throw EIniWriteError(fileName_, e.what());
    }
}

}  // namespace vl::base
