// The preview picture of a cover template: the template at preview size with
// sample values, saved beside the template for the template picker.
#pragma once

#include <ctime>
#include <string>

#include "cover/CoverFaxFile.h"

namespace vl::cover {

// Renders the template stamped with `when` and writes it as the monochrome BMP
// file `picture`. Answers 0 or a negative code (the yield's, an encoder's or
// ecCantWriteFile when the file cannot be written).
int MakePreviewPicture(const std::string& renderFile, const std::string& picture, const std::tm& when,
                       const CoverYield& yield = {});

}  // namespace vl::cover
