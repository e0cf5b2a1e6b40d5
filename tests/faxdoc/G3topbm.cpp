#include "G3topbm.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>

#include "support/TestSupport.h"

namespace vl::faxtest {

std::vector<std::vector<std::uint8_t>> G3topbm(const std::vector<std::uint8_t>& stream, int width) {
    test::TempDir dir;
    const std::string file = dir.folder() + "page.g3";
    test::WriteFile(file, std::string(stream.begin(), stream.end()));
    const test::RunResult r =
        test::Run("/usr/bin/g3topbm", {"-reversebits", "-stop_error", "-width=" + std::to_string(width), file});
    EXPECT_EQ(r.status, 0) << r.err;
    std::istringstream in(r.out);
    std::string magic;
    int w = 0, h = 0;
    in >> magic >> w >> h;
    in.get();
    EXPECT_EQ(magic, "P4");
    EXPECT_EQ(w, width);
    std::vector<std::vector<std::uint8_t>> rows(static_cast<std::size_t>(std::max(h, 0)),
                                                std::vector<std::uint8_t>(static_cast<std::size_t>(width / 8)));
    for (auto& row : rows) in.read(reinterpret_cast<char*>(row.data()), static_cast<std::streamsize>(row.size()));
    EXPECT_TRUE(in) << "short image";
    return rows;
}

}  // namespace vl::faxtest
