// Reading a whole text file through a text source, for the text source tests.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "base/ErrorCodes.h"
#include "faxdoc/TextSource.h"
#include "support/TestSupport.h"

namespace vl::faxdoc::test_text {

using Row = std::vector<std::uint8_t>;
using Page = std::vector<Row>;

// Every page of the file; fails the test on an error or a source that does not end.
inline std::vector<Page> PagesOf(TextSource& source, const std::string& fileName) {
    std::vector<Page> pages;
    EXPECT_EQ(source.Open(fileName), base::ecOK);
    pages.emplace_back();
    for (int calls = 0; calls < 1000000; ++calls) {
        Row line;
        bool endOfPage = false, morePages = false;
        const int rc = source.ReadLine(line, endOfPage, morePages);
        EXPECT_EQ(rc, base::ecOK);
        if (rc != base::ecOK) break;
        if (!endOfPage) {
            pages.back().push_back(line);
            continue;
        }
        EXPECT_TRUE(line.empty());
        if (!morePages) {
            // A finished source keeps saying so.
            EXPECT_EQ(source.ReadLine(line, endOfPage, morePages), base::ecOK);
            EXPECT_TRUE(endOfPage && !morePages);
            return pages;
        }
        pages.emplace_back();
    }
    ADD_FAILURE() << "the source never ended";
    return pages;
}

inline std::vector<Page> PagesOfText(TextSource& source, const test::TempDir& dir, const std::string& text) {
    const auto file = dir.path() / "TEXT.TXT";
    test::WriteFile(file, text);
    return PagesOf(source, file.string());
}

}  // namespace vl::faxdoc::test_text
