#include "PnmPixels.h"

#include <sstream>

#include <gtest/gtest.h>

namespace vl::faxtest {

Pixels ReadPnmAt(const std::string& data, std::size_t& at) {
    std::istringstream in(data.substr(at));
    std::string magic;
    Pixels p;
    int maxval = 1;
    in >> magic >> p.width >> p.height;
    if (magic != "P4") in >> maxval;
    in.get();
    const std::size_t offset = at + static_cast<std::size_t>(in.tellg());
    const int channels = magic == "P6" ? 3 : 1;
    const int rowBytes = magic == "P4" ? (p.width + 7) / 8 : p.width * channels;
    for (int y = 0; y < p.height; ++y) {
        for (int x = 0; x < p.width; ++x) {
            const std::size_t row = offset + static_cast<std::size_t>(y) * rowBytes;
            if (magic == "P4") {
                p.black.push_back((static_cast<std::uint8_t>(data.at(row + x / 8)) >> (7 - x % 8)) & 1);
            } else {
                p.black.push_back(data.at(row + static_cast<std::size_t>(x) * channels) == 0);
            }
        }
    }
    at = offset + static_cast<std::size_t>(rowBytes) * p.height;
    return p;
}

void ExpectPixels(const Pixels& got, const faxdoc::PageImage& page, int width) {
    ASSERT_EQ(got.width, width);
    ASSERT_EQ(got.height, page.height);
    for (int y = 0; y < page.height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool black = x < page.width && page.Black(x, y);
            ASSERT_EQ(got.black[static_cast<std::size_t>(y) * width + x], black) << x << "," << y;
        }
    }
}

}  // namespace vl::faxtest
