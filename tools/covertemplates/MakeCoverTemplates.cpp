// Writes the cover templates that ship with the program, each as the designer
// saves one: design file, render file, preview picture and description.
//
//   vellora-make-covers OUTPUT_FOLDER
#include <cstdio>
#include <ctime>
#include <string>

#include "DefaultCovers.h"
#include "base/ErrorCodes.h"
#include "base/MessageTable.h"
#include "cover/TemplateFiles.h"

namespace {

// Font sizes are stored for the screen a template was drawn on.
constexpr int kScreenDpi = 96;

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: vellora-make-covers OUTPUT_FOLDER\n");
        return 2;
    }
    std::string folder = argv[1];
    if (folder.back() != '/') folder += '/';
    const std::time_t now = std::time(nullptr);
    std::tm when{};
    localtime_r(&now, &when);
    for (const vl::tools::DefaultCover& cover : vl::tools::DefaultCovers()) {
        vl::cover::TemplateFiles files;
        int rc = vl::cover::TemplateFilesOf(folder + cover.name, files);
        if (rc == vl::base::ecOK)
            rc = vl::cover::SaveTemplate(cover.page.Objects(), files, cover.description, kScreenDpi, when);
        if (rc != vl::base::ecOK) {
            std::fprintf(stderr, "vellora-make-covers: %s: %s\n", cover.name.c_str(), vl::base::ErrorText(rc).c_str());
            return 1;
        }
    }
    return 0;
}
