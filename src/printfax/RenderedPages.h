// The pages Ghostscript rendered, read back one at a time as fax pages.
#pragma once

#include <string>
#include <vector>

#include "gfx/MonoBitmap.h"

namespace vl::printfax {

class RenderedPages {
public:
    RenderedPages(std::vector<std::string> files, bool fine) : files_(std::move(files)), fine_(fine) {}

    int Count() const { return static_cast<int>(files_.size()); }
    // Page `index` (from 0) placed on the fax width and made black and
    // white; empty when made, else why not (a page larger than A3).
    std::string Make(int index, gfx::MonoBitmap& page) const;

private:
    std::vector<std::string> files_;
    bool fine_;
};

}  // namespace vl::printfax
