#include "faxdoc/BmpDither.h"

#include <array>

namespace vl::faxdoc {
namespace {

using Table = std::array<std::array<short, 32>, 32>;

Table MakeTable() {
    Table t{};
    for (int i0 = 0; i0 < 32; ++i0) {
        for (int j0 = 0; j0 < 32; ++j0) {
            int f = 0, i = i0, j = j0;
            for (int k = 0; k < 4; ++k) {
                f = (2 * f) | (2 * ((i ^ j) & 1)) | (j & 1);
                i >>= 1;
                j >>= 1;
            }
            t[i0][j0] = static_cast<short>(10 * f);
        }
    }
    return t;
}

}  // namespace

int DitherThreshold(int x, int y) {
    static const Table table = MakeTable();
    return table[x & 31][y & 31];
}

}  // namespace vl::faxdoc
