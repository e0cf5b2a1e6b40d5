#include "printfax/JobOptions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vl::printfax {
namespace {

TEST(JobOptions, ArgumentsInOrderAndTheirMistakes)
{
    JobOptions o;
    EXPECT_EQ(ParseArguments({"--number", "555 0101", "--options", "number=1 subject='a b'", "--normal", "doc.pdf"}, o),
              "");
    EXPECT_EQ(o.number, "1");
    EXPECT_EQ(o.subject, "a b");
    EXPECT_TRUE(o.normal);
    EXPECT_EQ(o.input, "doc.pdf");

    struct Case {
        std::vector<std::string> args;
        std::string complaint;
    };
    for (const Case& c : std::vector<Case>{
             {{"--number"}, "--number needs a value"},
             {{"a.pdf", "b.pdf"}, "unexpected 'b.pdf'"},
             {{"--fine"}, "unexpected '--fine'"},
             {{""}, "the file name is empty"},
         }) {
        JobOptions bad;
        EXPECT_EQ(ParseArguments(c.args, bad), c.complaint) << c.args.front();
    }
}

TEST(JobOptions, OptionStringsQuoteAndEscapeAsPrintSystemsDo)
{
    struct Case {
        std::string text;
        std::string number, recipient, subject;
        bool normal;
    };
    for (const Case& c : std::vector<Case>{
             {"number=5550101 recipient='Ann Smith' subject=\"Q3 figures\"", "5550101", "Ann Smith", "Q3 figures",
              false},
             {"phone=1\\ 2 subject='it\\'s' resolution=normal", "1 2", "", "it's", true},
             {"job-uuid=urn:x number=7 normal copies=2", "7", "", "", true},
             {"subject='a=b c' recipient=x=y", "", "x=y", "a=b c", false},
             {"subject='never closed", "", "", "never closed", false},
             {"'number=9' resolution=coarse", "", "", "", false},
             {"FaxResolution=Normal job-uuid=urn:uuid:1", "", "", "", true},
         }) {
        JobOptions o;
        ParseOptionString(c.text, o);
        EXPECT_EQ(o.number, c.number) << c.text;
        EXPECT_EQ(o.recipient, c.recipient) << c.text;
        EXPECT_EQ(o.subject, c.subject) << c.text;
        EXPECT_EQ(o.normal, c.normal) << c.text;
    }
}

}  // namespace
}  // namespace vl::printfax
