// The cover as a fax file: the rendered fax page handed to the converter,
// which makes a one-page APF file of it.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "cover/CoverValues.h"
#include "gfx/MonoBitmap.h"

namespace vl::cover {

// The program's message loop, run while the page renders and converts:
// answers 0 or a code that ends the work. Empty: only the window system's
// events run.
using CoverYield = std::function<int()>;

// Converts the page, fine resolution and placed as it is, into the APF file.
// Answers 0 or the converter's negative code (no file is left then).
int WriteCoverFax(const gfx::MonoBitmap& page, const std::string& apfFile, const CoverYield& yield = {});

// Renders the template at fax size and writes it into `target` (the caller
// names new covers). Answers 0 or a negative code.
int MakeCoverFile(const std::string& renderFile, const CoverValues& values, const std::vector<std::string>& message,
                  const std::string& target, const CoverYield& yield = {});

}  // namespace vl::cover
