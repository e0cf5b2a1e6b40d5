// The I/O error mapping is shared with the serial layer and lives in base; the
// fax document code keeps calling it by these names.
#pragma once

#include "base/IoErrors.h"

namespace vl::faxdoc {

using base::ecInvalidFileHandle;
using base::IoErrorCode;
using base::IoOperation;
using base::LastIoError;

}  // namespace vl::faxdoc
