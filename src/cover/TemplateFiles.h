// The four files of one saved cover template: the design file the user names
// and the render file, description and preview picture beside it.
#pragma once

#include <ctime>
#include <string>
#include <string_view>

#include "cover/CoverObjects.h"

namespace vl::cover {

struct TemplateFiles {
    std::string design;       // ".FCS"
    std::string render;       // ".FCT"
    std::string description;  // ".DES"
    std::string preview;      // ".BMP"
};

// The files of the template whose design file is designPath, which must end
// in ".fcs" in any letter case (ecBadArgument otherwise). The other three
// replace that extension, in the design file's letter case; where a file of
// the name already exists in another letter case, its spelling is used.
int TemplateFilesOf(const std::string& designPath, TemplateFiles& files);

// Writes the design file, the render file with font sizes for a screen of
// screenDpi pixels per inch, the preview picture stamped with `when`, and the
// one-line description, in that order, each replacing its file whole. Returns
// 0 or the code of the first file that could not be written; the files
// before it stay written.
int SaveTemplate(const CoverObjects& objects, const TemplateFiles& files, std::string_view description,
                 int screenDpi, const std::tm& when);

// Deletes all four files; missing ones count as deleted. Returns 0 or the
// negative I/O code of the first file that could not be deleted, after
// trying the rest.
int DeleteTemplate(const TemplateFiles& files);

}  // namespace vl::cover
