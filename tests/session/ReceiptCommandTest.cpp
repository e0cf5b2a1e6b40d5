// The command run on receipt: its setting split as a shell would split it
// but never handed to one, and the fax file and station ID added as two
// arguments of their own whatever they hold.
#include "session/ReceiptCommand.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace vl::session {
namespace {

using Words = std::vector<std::string>;

struct SplitCase {
    const char* line;
    std::optional<Words> words;
};

TEST(ReceiptCommand, SplitsWordsAsAShellWouldWithoutExpandingAnything)
{
    const SplitCase cases[] = {
        {"", Words{}},
        {" \t\n ", Words{}},
        {"mailfax", Words{"mailfax"}},
        {"  /usr/bin/fax2pdf   --quiet\t-o\nout ", Words{"/usr/bin/fax2pdf", "--quiet", "-o", "out"}},
        // Quotes join what they hold, blanks included, and may sit inside a word.
        {"'my script' \"two words\"", Words{"my script", "two words"}},
        {"--to=\"Jane Doe\"'s' x", Words{"--to=Jane Does", "x"}},
        {"'' \"\" a''b", Words{"", "", "ab"}},
        // Single quotes keep backslashes and double quotes as they are.
        {R"('a\b "c"')", Words{R"(a\b "c")"}},
        // In double quotes a backslash escapes only " \ $ ` and the newline.
        {R"("a\"b" "c\\d" "\$HOME" "\x" "\`")", Words{"a\"b", "c\\d", "$HOME", "\\x", "`"}},
        {"\"line\\\nend\"", Words{"lineend"}},
        // Outside quotes a backslash takes any next character; before a
        // newline it joins the lines.
        {R"(a\ b \'c\' \\)", Words{"a b", "'c'", "\\"}},
        {"one\\\ntwo", Words{"onetwo"}},
        // Nothing a shell would do beyond splitting.
        {"echo $HOME ~ *.apf ; rm -rf / | cat `id` $(id) > out &",
         Words{"echo", "$HOME", "~", "*.apf", ";", "rm", "-rf", "/", "|", "cat", "`id`", "$(id)", ">", "out", "&"}},
        // Lines that cannot be split.
        {"'open", std::nullopt},
        {"\"open", std::nullopt},
        {"\"escaped end\\\"", std::nullopt},
        {"a 'b\" c", std::nullopt},
        {"trailing\\", std::nullopt},
    };
    for (const SplitCase& c : cases)
        EXPECT_EQ(SplitCommandLine(c.line), c.words) << c.line;
}

TEST(ReceiptCommand, JoinedWordsSplitBackIntoTheSameWords)
{
    const Words samples[] = {
        {},
        {"prog"},
        {"", "a b", "it's", "\"quoted\"", "back\\slash", "$(reboot)", "new\nline", "tab\there"},
        {"\"; rm -rf ~ $(reboot) '", "'''", "\\'"},
    };
    for (const Words& words : samples) {
        const std::string line = JoinCommandLine(words);
        EXPECT_EQ(SplitCommandLine(line), words) << line;
    }
    EXPECT_EQ(JoinCommandLine({"mail", "it's"}), R"('mail' 'it'\''s')");
}

struct CommandCase {
    const char* setting;
    const char* faxFile;
    const char* station;
    Words argv;
    const char* problem;
};

TEST(ReceiptCommand, TheFaxFileAndTheStationComeLastAsTwoArgumentsOfTheirOwn)
{
    const char* hostile = "\"; rm -rf ~ $(reboot) '";
    const CommandCase cases[] = {
        {"", "/data/RECEIVE/FAX00001.APF", "ACME", {}, ""},
        {"fax-to-pdf", "/data/RECEIVE/FAX00001.APF", "+1 555 0199",
         {"fax-to-pdf", "/data/RECEIVE/FAX00001.APF", "+1 555 0199"}, ""},
        {"'/opt/my tools/mail fax' --to 'me@example.org'", "/home/jo/My Faxes/RECEIVE/FAX00002.APF", "ACME",
         {"/opt/my tools/mail fax", "--to", "me@example.org", "/home/jo/My Faxes/RECEIVE/FAX00002.APF", "ACME"}, ""},
        // An empty station ID keeps its place.
        {"keep", "/r/FAX00003.APF", "", {"keep", "/r/FAX00003.APF", ""}, ""},
        // What the far machine sends is one argument, never code.
        {"keep", "/r/FAX00004.APF", hostile, {"keep", "/r/FAX00004.APF", hostile}, ""},
        {"sh -c 'echo \"$2\"' x", "/r/FAX00005.APF", "$(id)",
         {"sh", "-c", "echo \"$2\"", "x", "/r/FAX00005.APF", "$(id)"}, ""},
        // Settings that cannot run say why.
        {"mail 'unclosed", "/r/FAX00006.APF", "ACME", {}, "a quote is not closed"},
        {"   ", "/r/FAX00007.APF", "ACME", {}, "it names no program"},
        {"'' --flag", "/r/FAX00008.APF", "ACME", {}, "it names no program"},
    };
    for (const CommandCase& c : cases) {
        const ReceiptCommand command = ReceiptCommandFor(c.setting, c.faxFile, c.station);
        EXPECT_EQ(command.argv, c.argv) << c.setting;
        EXPECT_EQ(command.problem, c.problem) << c.setting;
    }
}

}  // namespace
}  // namespace vl::session
