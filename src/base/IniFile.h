// INI files read and written the way the Windows profile functions treat them:
// sections and keys match without regard to letter case, the first of several
// equal sections or keys wins, and lines the program does not know (comments,
// other sections, stray text) survive a rewrite unchanged.
//
// Reading never fails: a missing or unreadable file is an empty one. Changes
// are made in memory and written with Save(), which replaces the whole file
// atomically, so a batch of keys costs one write.
#pragma once

#include <cstddef>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace vl::base {

// A write the system refused; the message names the file.
class EIniWriteError : public std::runtime_error {
public:
    EIniWriteError(const std::string& fileName, const std::string& reason);
    const std::string& FileName() const { return fileName_; }

private:
    std::string fileName_;
};

// Strings are read through a buffer of this size, so longer values are cut
// to one byte less.
inline constexpr std::size_t kProfileBufferSize = 1024;

// An integer as the profile readers take it: blanks around it are ignored, a
// text longer than two characters that starts with 0x or 0X is hexadecimal,
// anything else is decimal with an optional sign. Empty when the text is not a
// number or does not fit in an int.
std::optional<int> ParseProfileInteger(std::string_view text);

class IniFile {
public:
    IniFile() = default;
    // The file's contents, or an empty file when it is missing or unreadable.
    static IniFile Load(const std::string& fileName);
    // Lines end at LF, CR LF or a lone CR. A leading UTF-8 byte order mark is
    // not part of the first line and is written back on save.
    static IniFile Parse(std::string_view text, std::string fileName = {});

    const std::string& FileName() const { return fileName_; }

    bool HasSection(std::string_view section) const;
    bool HasKey(std::string_view section, std::string_view key) const;

    // The value with blanks around it removed and one pair of matching single
    // or double quotes stripped, cut to kProfileBufferSize - 1 bytes.
    std::string ReadString(std::string_view section, std::string_view key, std::string_view def) const;
    int ReadInteger(std::string_view section, std::string_view key, int def) const;
    // An integer; true when not zero.
    bool ReadBool(std::string_view section, std::string_view key, bool def) const;

    // Replaces the value of the first matching key, or adds the key at the end
    // of its section, or the section at the end of the file. A value that
    // reading would change (blanks at either end, surrounding quotes) is
    // written in quotes so that it reads back as given. Throws
    // std::invalid_argument for names or values that cannot be written as one
    // line (line breaks, an empty name, "=" in a key, "]" in a section).
    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    void WriteInteger(std::string_view section, std::string_view key, int value);
    // Written as "1" or "0".
    void WriteBool(std::string_view section, std::string_view key, bool value);
    // Removes every key of the section, keeping its header and its other
    // lines, so that a list rewritten in full leaves no keys of old entries
    // behind and the keys written next stay where the section is.
    void RemoveKeys(std::string_view section);

    // The file as it would be written; every line ends with LF.
    std::string Serialize() const;
    // Replaces FileName() atomically; throws EIniWriteError when that fails.
    void Save() const;

private:
    enum class LineKind { Other, Section, Entry };
    struct Line {
        std::string text;   // the line as it stands in the file
        LineKind kind = LineKind::Other;
        std::string name;   // section name or key, blanks removed
        std::string value;  // entry value, blanks removed, quotes kept
    };

    static Line ParseLine(std::string text, bool inSection);
    // Index of the section's header line, or npos.
    std::size_t FindSection(std::string_view section) const;
    // Index of the key's line within the section starting at sectionLine, or npos.
    std::size_t FindEntry(std::size_t sectionLine, std::string_view key) const;
    const Line* Find(std::string_view section, std::string_view key) const;

    std::string fileName_;
    bool byteOrderMark_ = false;
    std::vector<Line> lines_;
};

}  // namespace vl::base
