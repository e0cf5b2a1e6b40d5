// Turns a system error number into the classic negative I/O code that the
// message table has a text for.
#pragma once

namespace vl::base {

// "Invalid file handle": an operation on a file that is not open.
inline constexpr int ecInvalidFileHandle = -6;

enum class IoOperation { Open, Read, Write, Seek, Close };

// ENOENT gives -2, ENOTDIR -3, EACCES -5, ENOSPC -101 and so on; a number with
// no classic counterpart gives the general failure code of the operation.
int IoErrorCode(int errnoValue, IoOperation operation);

// The code for the error number left by the last failed system call.
int LastIoError(IoOperation operation);

}  // namespace vl::base
