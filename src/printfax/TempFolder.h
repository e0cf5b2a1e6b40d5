// A private folder for one job's intermediate files, removed with them.
#pragma once

#include <string>

namespace vl::printfax {

class TempFolder {
public:
    // Made under the system's temporary folder, readable by this user only;
    // Path() is empty when it could not be made.
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // Ends in "/".
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

}  // namespace vl::printfax
