// The dispatcher over a Linux tty (TermiosDevice).
#pragma once

#include <memory>
#include <string>

#include "serial/VlBaseDispatcher.h"

namespace vl::serial {

// A dispatcher whose device locks ports in the system lock folders, falling
// back to `fallbackLockFolder` (the program folder) when none is writable.
std::unique_ptr<VlBaseDispatcher> MakeLinuxDispatcher(base::MessageLoop& mainLoop,
                                                      const std::string& fallbackLockFolder = {});

}  // namespace vl::serial
