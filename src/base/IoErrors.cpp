#include "base/IoErrors.h"

#include <cerrno>

#include "base/ErrorCodes.h"

namespace vl::base {

namespace {

constexpr int kTooManyOpenFiles = -4;
constexpr int kFileExists = -80;
constexpr int kWriteProtected = -150;
constexpr int kSeekError = -156;

int FallbackCode(IoOperation operation) {
    switch (operation) {
        case IoOperation::Open: return ecAccessDenied;
        case IoOperation::Read: return ecDiskRead;
        case IoOperation::Seek: return kSeekError;
        case IoOperation::Write:
        case IoOperation::Close: return ecDeviceWrite;
    }
    return ecDeviceWrite;
}

}  // namespace

int IoErrorCode(int errnoValue, IoOperation operation) {
    switch (errnoValue) {
        case ENOENT:
        case ENXIO:
        case ENODEV: return ecFileNotFound;
        case ENOTDIR:
        case ENAMETOOLONG:
        case ELOOP: return ecPathNotFound;
        case EMFILE:
        case ENFILE: return kTooManyOpenFiles;
        case EACCES:
        case EPERM:
        case EISDIR:
        case ETXTBSY: return ecAccessDenied;
        case EBADF: return ecInvalidFileHandle;
        case ENOMEM: return ecOutOfMemory;
        case EEXIST: return kFileExists;
        case EROFS: return kWriteProtected;
        case ENOSPC:
        case EDQUOT:
        case EFBIG: return ecDiskFull;
        case ESPIPE: return kSeekError;
        default: return FallbackCode(operation);
    }
}

int LastIoError(IoOperation operation) { return IoErrorCode(errno, operation); }

}  // namespace vl::base
