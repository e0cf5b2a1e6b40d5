#include "serial/DeviceErrors.h"

#include <cerrno>

#include "base/ErrorCodes.h"
#include "base/IoErrors.h"

namespace vl::serial {

int OpenErrorCode(int errnoValue) {
    switch (errnoValue) {
        case ENOENT:
        case ENXIO:
        case ENODEV:
        case ENOTTY: return base::ecFileNotFound;
        case EBUSY: return base::ecPortInUse;
        case EACCES:
        case EPERM: return base::ecPermissionDenied;
        default: return base::IoErrorCode(errnoValue, base::IoOperation::Open);
    }
}

}  // namespace vl::serial
