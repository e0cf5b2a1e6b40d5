// The preview picture of a cover template: the template at preview size with
// sample values, saved beside the template for the template picker.
#pragma once

#include <ctime>
#include <string>

#include "cover/CoverFaxFile.h"

namespace vl::cover {

// The render file's name with the extension ".bmp".
std::string PreviewPictureName(const std::string& renderFile);

// Renders the template stamped with `when` and writes it as a monochrome BMP
// file beside it. Answers 0 or a negative code (the yield's, an encoder's or
// ecCantWriteFile when the file cannot be written).
int MakePreviewPicture(const std::string& renderFile, const std::tm& when, const CoverYield& yield = {});

}  // namespace vl::cover
