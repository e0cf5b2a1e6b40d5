// The name a new template is proposed under, the rule typed names follow,
// and the description proposed with a name.
#include "cover/TemplateNames.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "support/TestSupport.h"

namespace vl::test {
namespace {

using cover::CanSaveTemplateAs;
using cover::IsValidTemplateName;

TEST(TemplateNames, TheProposalSkipsNamesTakenInAnyLetterCase)
{
    TempDir dir;
    EXPECT_EQ(cover::ProposedTemplateName(dir.folder()), "VL0001.FCS");
    WriteFile(dir.folder() + "vl0001.fcs", "");
    WriteFile(dir.folder() + "VL0003.FCS", "");
    // Only the design file's name counts; its render file is not in the way.
    WriteFile(dir.folder() + "VL0002.FCT", "");
    EXPECT_EQ(cover::ProposedTemplateName(dir.folder()), "VL0002.FCS");
    EXPECT_EQ(cover::ProposedTemplateName(dir.folder() + "missing/"), "VL0001.FCS");
}

TEST(TemplateNames, ZeroIsTriedAfterEveryOtherNumberAndThenThereIsNone)
{
    TempDir dir;
    for (int n = 1; n <= 9999; ++n) {
        char name[16];
        std::snprintf(name, sizeof name, "VL%04d.fcs", n);
        WriteFile(dir.folder() + name, "");
    }
    EXPECT_EQ(cover::ProposedTemplateName(dir.folder()), "VL0000.FCS");
    WriteFile(dir.folder() + "Vl0000.Fcs", "");
    EXPECT_EQ(cover::ProposedTemplateName(dir.folder()), "");
}

TEST(TemplateNames, NameRules)
{
    struct Case {
        const char* name;
        const char* description;
        bool ok;
    };
    const Case cases[] = {
        {"VL0001.FCS", "[Description]", true},
        {"letter.fcs", "Letter", true},      // the extension in any case
        {"_a.Fcs", "x", true},
        {"ABCDEFGH.FCS", "x", true},         // 12 characters
        {"ABCDEFGHI.FCS", "x", false},       // 13
        {"A.FCS", "x", true},
        {".FCS", "x", false},                // nothing before the extension
        {"1ABC.FCS", "x", false},            // digit first
        {"MY-FAX.FCS", "x", false},          // hyphen
        {"MY FAX.FCS", "x", false},
        {"M\xC3\xBC.FCS", "x", false},       // letters outside ASCII
        {"VL0001.FCT", "x", false},
        {"VL0001FCS", "x", false},
        {"VL0001.FCS ", "x", false},
        {"", "x", false},
        {"letter.fcs", "", false},           // no description
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CanSaveTemplateAs(c.name, c.description), c.ok) << c.name << " / " << c.description;
        if (c.description[0] != '\0') {
            EXPECT_EQ(IsValidTemplateName(c.name), c.ok) << c.name;
        }
    }
}

TEST(TemplateNames, ProposalsForNewAndSavedTemplates)
{
    TempDir dir;
    WriteFile(dir.folder() + "VL0001.FCS", "");
    const cover::NamedTemplate untitled = cover::ProposeTemplate(dir.folder(), "");
    EXPECT_EQ(untitled.name, "VL0002.FCS");
    EXPECT_EQ(untitled.description, "[Description]");

    WriteFile(dir.folder() + "vl0001.des", "Business cover\r\nsecond line\r\n");
    const cover::NamedTemplate saved = cover::ProposeTemplate(dir.folder(), dir.folder() + "VL0001.FCS");
    EXPECT_EQ(saved.name, "VL0001.FCS");
    EXPECT_EQ(saved.description, "Business cover");

    // No description file, an empty one, or a path that is no design file.
    WriteFile(dir.folder() + "Blank.DES", "\r\n");
    for (const char* name : {"Other.FCS", "Blank.FCS", "Other.txt"})
        EXPECT_EQ(cover::SavedTemplateDescription(dir.folder() + name), "[description]") << name;
}

}  // namespace
}  // namespace vl::test
