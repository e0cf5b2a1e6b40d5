#include "app/ComLabel.h"

namespace vl::app {

std::string ComLabel(int comNumber, const std::string& device)
{
    const std::string com = "Com " + std::to_string(comNumber);
    return device.empty() ? com : com + " (" + device + ")";
}

}  // namespace vl::app
