// Result codes for failed serial device calls.
#pragma once

namespace vl::serial {

// The code for a failed open of a serial device: no such device (or one that
// is not a terminal) is ecFileNotFound, a device held by another opener is
// ecPortInUse, a refused permission is ecPermissionDenied; anything else is
// the classic I/O code.
int OpenErrorCode(int errnoValue);

}  // namespace vl::serial
