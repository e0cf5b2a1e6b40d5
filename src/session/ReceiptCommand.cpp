#include "session/ReceiptCommand.h"

namespace vl::session {

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n';
}

// The characters a backslash escapes inside double quotes.
bool EscapedInDoubleQuotes(char c)
{
    return c == '"' || c == '\\' || c == '$' || c == '`' || c == '\n';
}

}  // namespace

std::optional<std::vector<std::string>> SplitCommandLine(std::string_view line)
{
    std::vector<std::string> words;
    std::string word;
    // A word has begun even when it is empty so far: '' is an empty word.
    bool inWord = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (IsBlank(c)) {
            if (inWord)
                words.push_back(std::move(word));
            word.clear();
            inWord = false;
            continue;
        }
        inWord = true;
        if (c == '\\') {
            if (++i == line.size())
                return std::nullopt;
            if (line[i] != '\n')
                word += line[i];
        } else if (c == '\'') {
            const std::size_t end = line.find('\'', i + 1);
            if (end == std::string_view::npos)
                return std::nullopt;
            word.append(line.substr(i + 1, end - i - 1));
            i = end;
        } else if (c == '"') {
            for (++i;; ++i) {
                if (i == line.size())
                    return std::nullopt;
                if (line[i] == '"')
                    break;
                if (line[i] == '\\' && i + 1 < line.size() && EscapedInDoubleQuotes(line[i + 1])) {
                    if (line[++i] != '\n')
                        word += line[i];
                } else {
                    word += line[i];
                }
            }
        } else {
            word += c;
        }
    }
    if (inWord)
        words.push_back(std::move(word));
    return words;
}

std::string JoinCommandLine(const std::vector<std::string>& words)
{
    std::string line;
    for (const std::string& word : words) {
        if (!line.empty())
            line += ' ';
        line += '\'';
        for (const char c : word)
            line += c == '\'' ? std::string("'\\''") : std::string(1, c);
        line += '\'';
    }
    return line;
}

ReceiptCommand ReceiptCommandFor(std::string_view setting, const std::string& faxFile, const std::string& station)
{
    ReceiptCommand command;
    if (setting.empty())
        return command;
    std::optional<std::vector<std::string>> words = SplitCommandLine(setting);
    if (!words) {
        command.problem = "a quote is not closed";
        return command;
    }
    if (words->empty() || words->front().empty()) {
        command.problem = "it names no program";
        return command;
    }
    command.argv = std::move(*words);
    command.argv.push_back(faxFile);
    command.argv.push_back(station);
    return command;
}

}  // namespace vl::session
