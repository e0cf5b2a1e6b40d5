#include "printfax/JobOptions.h"

#include <utility>

#include "base/TextCase.h"

namespace vl::printfax {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

// The next word of an option string from `at`: quotes and backslashes taken
// off, and whether it held a bare '=' (its name is then the part before).
struct Word {
    std::string text;
    std::size_t equals = std::string::npos;
};

Word NextWord(std::string_view text, std::size_t& at) {
    Word word;
    char quote = 0;
    for (; at < text.size(); ++at) {
        const char c = text[at];
        if (quote) {
            if (c == quote) quote = 0;
            else if (c == '\\' && at + 1 < text.size()) word.text += text[++at];
            else word.text += c;
        } else if (IsBlank(c)) {
            break;
        } else if (c == '\'' || c == '"') {
            quote = c;
        } else if (c == '\\' && at + 1 < text.size()) {
            word.text += text[++at];
        } else {
            if (c == '=' && word.equals == std::string::npos) word.equals = word.text.size();
            word.text += c;
        }
    }
    return word;
}

void Apply(const std::string& name, std::string value, JobOptions& options) {
    if (name == "number" || name == "phone") options.number = std::move(value);
    else if (name == "recipient") options.recipient = std::move(value);
    else if (name == "subject") options.subject = std::move(value);
    else if (name == "title") options.title = std::move(value);
    else if (name == "resolution" || name == "FaxResolution") {
        // The printer's own option spells its choices with capitals.
        const std::string choice = base::UpperAscii(value);
        if (choice == "NORMAL" || choice == "FINE") options.normal = choice == "NORMAL";
    }
}

}  // namespace

std::string ParseArguments(const std::vector<std::string>& args, JobOptions& options) {
    bool inputGiven = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        std::string* value = a == "--number"      ? &options.number
                             : a == "--recipient" ? &options.recipient
                             : a == "--subject"   ? &options.subject
                             : a == "--title"     ? &options.title
                                                  : nullptr;
        if (value) {
            if (i + 1 == args.size()) return a + " needs a value";
            *value = args[++i];
        } else if (a == "--options") {
            if (i + 1 == args.size()) return a + " needs a value";
            ParseOptionString(args[++i], options);
        } else if (a == "--normal") {
            options.normal = true;
        } else if (a == "--help" || a == "-h") {
            options.help = true;
        } else if (!inputGiven && (a == "-" || a.empty() || a[0] != '-')) {
            options.input = a;
            inputGiven = true;
        } else {
            return "unexpected '" + a + "'";
        }
    }
    if (options.input.empty()) return "the file name is empty";
    return {};
}

void ParseOptionString(std::string_view text, JobOptions& options) {
    std::size_t at = 0;
    while (at < text.size()) {
        if (IsBlank(text[at])) {
            ++at;
            continue;
        }
        Word word = NextWord(text, at);
        if (word.equals == std::string::npos) {
            if (word.text == "normal") options.normal = true;
            continue;
        }
        Apply(word.text.substr(0, word.equals), word.text.substr(word.equals + 1), options);
    }
}

std::string SubjectOf(const JobOptions& options) { return options.subject.empty() ? options.title : options.subject; }

}  // namespace vl::printfax
