#include "fax/StateNames.h"

#include "base/MessageTable.h"

namespace vl::fax {

std::vector<std::string> StateNamesFrom(std::uint32_t firstId, int count)
{
    std::vector<std::string> names;
    for (int state = 0; state < count; ++state)
        names.push_back(base::MessageTable().Find(firstId + static_cast<std::uint32_t>(state)).value_or(""));
    return names;
}

}  // namespace vl::fax
