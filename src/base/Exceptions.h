// The exception family that components raise for a failed call: one class per
// result code, the message being the code's text from the message table.
#pragma once

#include <exception>
#include <stdexcept>
#include <string>

#include "base/ErrorCodes.h"

namespace vl::base {

class EVlException : public std::runtime_error {
public:
    // The message is the code's text from the message table.
    explicit EVlException(int code);
    EVlException(int code, const std::string& message);
    int ErrorCode() const noexcept { return code_; }

private:
    int code_;
};

// The class for exactly one code, so that a handler can catch that code alone.
template <int Code>
class EVlCodeException : public EVlException {
public:
    EVlCodeException() : EVlException(Code) {}
};

// Port checks of the fax components.
using EPortNotAssigned = EVlCodeException<ecPortNotAssigned>;
using EInternal = EVlCodeException<ecInternal>;
using ECannotUseWithWinSock = EVlCodeException<ecCannotUseWithWinSock>;
using EOutputBufferTooSmall = EVlCodeException<ecOutputBufferTooSmall>;

// Opening and using a port.
using EBadId = EVlCodeException<ecNoSuchPort>;
using EPortInUse = EVlCodeException<ecPortInUse>;
using ENotOpen = EVlCodeException<ecPortNotOpen>;
using EAlreadyOpen = EVlCodeException<ecPortAlreadyOpen>;
using ENoPortSelected = EVlCodeException<ecNoPortSelected>;
using ENoDeviceLayer = EVlCodeException<ecNoDeviceLayer>;

// Triggers.
using ETriggerTooLong = EVlCodeException<ecTriggerTooLong>;
using EBadTriggerHandle = EVlCodeException<ecBadTriggerHandle>;

// Fax files, conversion and unpacking.
using EFaxBadFormat = EVlCodeException<ecFaxBadFormat>;
using EBadGraphicsFormat = EVlCodeException<ecBadGraphicsFormat>;
using EConvertAbort = EVlCodeException<ecConvertAbort>;
using EUnpackAbort = EVlCodeException<ecUnpackAbort>;
using ECantMakeBitmap = EVlCodeException<ecCantMakeBitmap>;
using EInvalidPageNumber = EVlCodeException<ecInvalidPageNumber>;

// Fax sessions.
using EFaxBadMachine = EVlCodeException<ecFaxBadMachine>;
using EFaxBadModemResult = EVlCodeException<ecFaxBadModemResult>;
using EFaxTrainError = EVlCodeException<ecFaxTrainError>;
using EFaxInitError = EVlCodeException<ecFaxInitError>;
using EFaxBusy = EVlCodeException<ecFaxBusy>;
using EFaxVoiceCall = EVlCodeException<ecFaxVoiceCall>;
using EFaxDataCall = EVlCodeException<ecFaxDataCall>;
using EFaxNoDialTone = EVlCodeException<ecFaxNoDialTone>;
using EFaxNoCarrier = EVlCodeException<ecFaxNoCarrier>;
using EFaxSessionError = EVlCodeException<ecFaxSessionError>;
using EFaxPageError = EVlCodeException<ecFaxPageError>;

// Protocol failures share one class: fatal time-out, too many errors, and a
// failed handshake.
class EProtocol : public EVlException {
public:
    explicit EProtocol(int code) : EVlException(code) {}
};

// A file or device I/O failure, carrying the positive I/O error number.
class EInOutError : public std::runtime_error {
public:
    explicit EInOutError(int ioError);
    int IoError() const noexcept { return ioError_; }

private:
    int ioError_;
};

// Raises the exception for a negative code: the code's own class, EProtocol,
// EInOutError for -2 to -162 (std::bad_alloc for -8), and otherwise
// EVlException with the generic text. Codes of 0 and above raise nothing.
void CheckException(int code);

// The code a caught exception stands for: the carried code for the family, the
// negated number for EInOutError, -8 for std::bad_alloc, -9999 for anything
// else; 0 for no exception at all.
int ExceptionCode(std::exception_ptr error);

}  // namespace vl::base
