#include "app/CoverData.h"

#include <filesystem>

#include "app/FieldText.h"
#include "app/TextFiles.h"
#include "base/AtomicFile.h"

namespace vl::app {

namespace {

// Far above any message typed into the editor.
constexpr std::size_t kMaxCoverDataBytes = 1024 * 1024;

}  // namespace

std::string FlagsText(const ImportanceFlags& flags)
{
    std::string text;
    for (bool set : flags)
        text += set ? 'X' : ' ';
    return text;
}

ImportanceFlags ParseFlags(std::string_view text)
{
    ImportanceFlags flags{};
    if (text.size() != flags.size())
        return flags;
    for (std::size_t i = 0; i < flags.size(); ++i)
        flags[i] = text[i] == 'X';
    return flags;
}

CoverData ParseCoverData(std::string_view bytes)
{
    std::vector<std::string> lines = SplitTextLines(bytes);
    CoverData data;
    if (!lines.empty()) {
        // Files from other systems may hold a Windows path.
        const std::string name = TextFromOutside(lines[0]);
        data.templateName = name.substr(name.find_last_of("/\\") + 1);
    }
    if (lines.size() > 1)
        data.flagsText = lines[1];
    for (std::size_t i = 2; i < lines.size(); ++i)
        data.messageLines.push_back(TextFromOutside(lines[i]));
    return data;
}

std::optional<CoverData> ReadCoverData(const std::string& path)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return std::nullopt;
    return ParseCoverData(ReadFileStart(path, kMaxCoverDataBytes));
}

void WriteCoverData(const std::string& path, const CoverData& data)
{
    std::string text = data.templateName + "\r\n" + data.flagsText + "\r\n";
    for (const std::string& line : data.messageLines)
        text += line + "\r\n";
    base::ReplaceFileAtomically(path, text);
}

}  // namespace vl::app
