#include "store/TableAlias.h"

#include <mutex>
#include <set>

#include "base/TextCase.h"

namespace vl::store {

namespace {

std::mutex gMutex;
std::set<std::string> gTaken;   // upper case

}  // namespace

std::string ClaimAlias(const std::string& dbfPath) {
    std::string name = dbfPath.substr(dbfPath.rfind('/') + 1);
    if (const size_t dot = name.rfind('.'); dot != std::string::npos && dot > 0) name.resize(dot);
    if (name.size() > 8) name.resize(8);
    for (char& c : name)
        if (c == '~' || c == '-' || c == ' ') c = '_';
    std::lock_guard lock(gMutex);
    std::string alias = name;
    for (int n = 1; gTaken.count(base::UpperAscii(alias)) != 0; ++n) alias = name + "_" + std::to_string(n);
    gTaken.insert(base::UpperAscii(alias));
    return alias;
}

void ReleaseAlias(const std::string& alias) {
    std::lock_guard lock(gMutex);
    gTaken.erase(base::UpperAscii(alias));
}

}  // namespace vl::store
