// The cover templates that ship with the program.
#pragma once

#include <string>
#include <vector>

#include "CoverPage.h"

namespace vl::tools {

struct DefaultCover {
    std::string name;  // the design file's name, e.g. "vl0001.fcs"
    std::string description;
    CoverPage page;
};

// The first is the template a new cover starts from.
std::vector<DefaultCover> DefaultCovers();

}  // namespace vl::tools
