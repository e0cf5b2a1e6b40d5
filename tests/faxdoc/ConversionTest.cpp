// The conversion loop: pages, margins, status, abort, quit and the file it
// leaves (or does not leave) behind.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "ConvertedPages.h"
#include "base/ErrorCodes.h"
#include "faxdoc/FaxConversion.h"
#include "faxdoc/ImageSourceFormats.h"
#include "faxdoc/UserSource.h"
#include "support/TestSupport.h"

namespace vl::faxdoc {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Pages = std::vector<std::vector<Bytes>>;

// A source handing out prepared pages; the events see every call.
struct ScriptedPages {
    explicit ScriptedPages(Pages p) : pages(std::move(p)) {}

    Pages pages;
    std::size_t page = 0, line = 0;
    std::vector<std::string> calls;

    UserSourceEvents Events() {
        UserSourceEvents e;
        e.onOpen = [this](const std::string& name) { calls.push_back("open " + name); };
        e.onClose = [this] { calls.push_back("close"); };
        e.onReadLine = [this](Bytes& data, bool& endOfPage, bool& morePages) {
            if (line == pages[page].size()) {
                endOfPage = true;
                morePages = ++page < pages.size();
                line = 0;
                return;
            }
            data = pages[page][line++];
        };
        return e;
    }
};

Bytes Row(int firstBlackPixel) {
    Bytes row(216, 0);
    if (firstBlackPixel >= 0) row[static_cast<std::size_t>(firstBlackPixel / 8)] = static_cast<std::uint8_t>(0x80 >> (firstBlackPixel % 8));
    return row;
}

class ConversionTest : public ::testing::Test {
protected:
    test::TempDir dir;
    std::string out = dir.folder() + "OUT.APF";
    ConversionSettings settings;
};

TEST_F(ConversionTest, EveryLineBecomesARecordBehindItsPageHeader) {
    ScriptedPages script{{{Row(0), Row(-1), Row(100)}, {Row(5)}}};
    UserSource source(script.Events(), "RAW");
    settings.leftMargin = 0;
    settings.stationId = "A station ID longer than twenty";
    ASSERT_EQ(ConvertDocument(source, dir.folder() + "in", out, settings), 0);
    EXPECT_EQ(script.calls, (std::vector<std::string>{"open " + dir.folder() + "in.RAW", "close"}));
    const auto file = faxtest::ReadConverted(out);
    EXPECT_EQ(file.header.stationId, "A station ID longer ");
    ASSERT_EQ(file.pages.size(), 2u);
    // Three lines and the end-of-page record; the page shows them in order.
    EXPECT_EQ(file.pages[0].records.size(), 4u);
    EXPECT_EQ(file.pages[0].records.back(), Bytes(kEndOfPageRecord.begin(), kEndOfPageRecord.end()));
    ASSERT_EQ(file.pages[0].image.height, 3);
    EXPECT_TRUE(file.pages[0].image.Black(0, 0));
    EXPECT_TRUE(file.pages[0].image.Black(100, 2));
    EXPECT_EQ(file.pages[1].records.size(), 2u);
    EXPECT_FALSE(file.pages[0].header.HighResolution());
}

TEST_F(ConversionTest, APageThatEndsBeforeAnyLineStillHasItsHeaderAndEnd) {
    UserSource source({}, "");  // no read handler: one page that ends at once
    ASSERT_EQ(ConvertDocument(source, "x", out, settings), 0);
    const auto file = faxtest::ReadConverted(out);
    ASSERT_EQ(file.pages.size(), 1u);
    ASSERT_EQ(file.pages[0].records.size(), 1u);
    EXPECT_EQ(file.pages[0].header.imageLength, 2u + kEndOfPageRecord.size());
}

TEST_F(ConversionTest, TopMarginPutsBlankRecordsOnEveryPageAlsoWide) {
    ScriptedPages script{{{Row(3)}, {Row(3)}}};
    UserSource source(script.Events(), "");
    settings.topMargin = 5;
    settings.width = kWideWidth;
    settings.highResolution = true;
    ASSERT_EQ(ConvertDocument(source, "x", out, settings), 0);
    const auto file = faxtest::ReadConverted(out);
    ASSERT_EQ(file.pages.size(), 2u);
    for (const auto& page : file.pages) {
        EXPECT_TRUE(page.header.Wide());
        EXPECT_TRUE(page.header.HighResolution());
        ASSERT_EQ(page.records.size(), 7u);
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(page.records[static_cast<std::size_t>(i)], Bytes(kBlankLineRecord.begin(), kBlankLineRecord.end()));
        EXPECT_TRUE(page.image.Black(3 + 50, 5));
    }
}

TEST_F(ConversionTest, StatusReportsStartEveryLineAndEnd) {
    ScriptedPages script{{{Row(1), Row(2)}, {Row(3)}}};
    UserSource source(script.Events(), "");
    std::vector<ConversionStatus> seen;
    ConversionHooks hooks;
    hooks.status = [&](const ConversionStatus& s) {
        seen.push_back(s);
        return false;
    };
    ASSERT_EQ(ConvertDocument(source, "x", out, settings, hooks), 0);
    // start, three reads on page 1 (two lines and the end), two on page 2, end
    ASSERT_EQ(seen.size(), 7u);
    EXPECT_TRUE(seen.front().starting);
    EXPECT_TRUE(seen.back().ending);
    EXPECT_EQ(seen[3].pageNumber, 1);
    EXPECT_EQ(seen[3].lineNumber, 3);
    EXPECT_EQ(seen[4].pageNumber, 2);
    EXPECT_EQ(seen[4].lineNumber, 1);
}

TEST_F(ConversionTest, AbortAndQuitLeaveNoFileAndCloseTheSource) {
    for (const bool quit : {false, true}) {
        ScriptedPages script{{std::vector<Bytes>(40, Row(7))}};
        UserSource source(script.Events(), "");
        ConversionHooks hooks;
        int yields = 0;
        if (quit) {
            settings.yield = settings.yieldOften = true;
            hooks.processMessages = [&] { return ++yields == 2 ? base::ecGotQuitMsg : 0; };
        } else {
            hooks.status = [](const ConversionStatus& s) { return s.lineNumber == 20; };
        }
        EXPECT_EQ(ConvertDocument(source, "x", out, settings, hooks), quit ? base::ecGotQuitMsg : base::ecConvertAbort);
        EXPECT_FALSE(std::filesystem::exists(out));
        EXPECT_EQ(script.calls.back(), "close");
        if (quit) {
            EXPECT_EQ(yields, 2);  // after lines 16 and 32
        }
    }
}

TEST_F(ConversionTest, YieldingAfterPagesAndEverySixteenthLine) {
    for (const bool often : {false, true}) {
        ScriptedPages script{{std::vector<Bytes>(33, Row(-1)), {Row(1)}}};
        UserSource source(script.Events(), "");
        settings.yield = true;
        settings.yieldOften = often;
        int yields = 0;
        ConversionHooks hooks;
        hooks.processMessages = [&] { return ++yields, 0; };
        ASSERT_EQ(ConvertDocument(source, "x", out, settings, hooks), 0);
        EXPECT_EQ(yields, often ? 4 : 2);  // lines 16 and 32, and each page's end
    }
}

TEST_F(ConversionTest, FailuresLeaveNoPartialFileAndAMissingInputTouchesNothing) {
    test::WriteFile(out, "keep me");
    TiffSource missing(FitRequest{});
    EXPECT_EQ(ConvertDocument(missing, dir.folder() + "absent.tif", out, settings), base::ecFileNotFound);
    EXPECT_EQ(test::ReadFile(out), "keep me");

    // A line longer than the raster buffer is refused mid-page.
    UserSourceEvents e;
    e.onReadLine = [](Bytes& data, bool&, bool&) { data.assign(5000, 0); };
    UserSource tooLong(e, "");
    EXPECT_EQ(ConvertDocument(tooLong, "x", out, settings), base::ecBadArgument);
    EXPECT_FALSE(std::filesystem::exists(out));

    UserSource source({}, "");
    EXPECT_LT(ConvertDocument(source, "x", dir.folder() + "no/such/OUT.APF", settings), 0);
}

TEST(ApfOutputName, OutputNameWinsAndGetsAnExtensionInputNameHasItsReplaced) {
    EXPECT_EQ(ApfOutputName("/a/letter.txt", ""), "/a/letter.APF");
    EXPECT_EQ(ApfOutputName("/a/letter", ""), "/a/letter.APF");
    EXPECT_EQ(ApfOutputName("/a/letter.txt", "/b/fax"), "/b/fax.APF");
    EXPECT_EQ(ApfOutputName("/a/letter.txt", "/b/fax.apf"), "/b/fax.apf");
    EXPECT_EQ(ApfOutputName("", ""), "");
}

}  // namespace
}  // namespace vl::faxdoc
