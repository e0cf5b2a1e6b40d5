// A box on a bitmap from (x0, y0) up to but not including (x1, y1).
#pragma once

namespace vl::gfx {

struct PixelBox {
    int x0 = 0;
    int y0 = 0;
    int x1 = 0;
    int y1 = 0;
};

}  // namespace vl::gfx
