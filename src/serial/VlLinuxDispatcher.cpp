#include "serial/VlLinuxDispatcher.h"

#include "serial/TermiosDevice.h"

namespace vl::serial {

std::unique_ptr<VlBaseDispatcher> MakeLinuxDispatcher(base::MessageLoop& mainLoop,
                                                      const std::string& fallbackLockFolder)
{
    return std::make_unique<VlBaseDispatcher>(MakeTermiosDevice(fallbackLockFolder), mainLoop);
}

}  // namespace vl::serial
