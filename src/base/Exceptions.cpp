#include "base/Exceptions.h"

#include <new>
#include <utility>

#include "base/MessageTable.h"

namespace vl::base {

namespace {

// The text of a negative code that has no class of its own.
constexpr const char* kGenericText = "Zerv exception";

// Every code with a class of its own; CheckException raises exactly these.
using OwnClassCodes = std::integer_sequence<int,
    ecPortNotAssigned, ecInternal, ecCannotUseWithWinSock, ecOutputBufferTooSmall,
    ecNoSuchPort, ecPortInUse, ecPortNotOpen, ecPortAlreadyOpen, ecNoPortSelected, ecNoDeviceLayer,
    ecTriggerTooLong, ecBadTriggerHandle,
    ecFaxBadFormat, ecBadGraphicsFormat, ecConvertAbort, ecUnpackAbort, ecCantMakeBitmap, ecInvalidPageNumber,
    ecFaxBadMachine, ecFaxBadModemResult, ecFaxTrainError, ecFaxInitError, ecFaxBusy, ecFaxVoiceCall,
    ecFaxDataCall, ecFaxNoDialTone, ecFaxNoCarrier, ecFaxSessionError, ecFaxPageError>;

template <int... Codes>
void RaiseOwnClass(int code, std::integer_sequence<int, Codes...>) {
    ((code == Codes ? throw EVlCodeException<Codes>() : void()), ...);
}

}  // namespace

EVlException::EVlException(int code) : std::runtime_error(ErrorText(code)), code_(code) {}

EVlException::EVlException(int code, const std::string& message) : std::runtime_error(message), code_(code) {}

EInOutError::EInOutError(int ioError) : std::runtime_error(ErrorText(ioError)), ioError_(ioError) {}

void CheckException(int code) {
    if (code >= 0) return;
    if (code == ecOutOfMemory) throw std::bad_alloc();
    if (code <= ecFirstIoError && code >= ecLastIoError) throw EInOutError(-code);
    if (code == ecFatalTimeout || code == ecTooManyErrors || code == ecProtocolFailure) throw EProtocol(code);
    RaiseOwnClass(code, OwnClassCodes{});
    throw EVlException(code, kGenericText);
}

int ExceptionCode(std::exception_ptr error) {
    if (!error) return ecOK;
    try {
        std::rethrow_exception(std::move(error));
    } catch (const EVlException& e) {
        return e.ErrorCode();
    } catch (const EInOutError& e) {
        return -e.IoError();
    } catch (const std::bad_alloc&) {
        return ecOutOfMemory;
    } catch (...) {
        return ecUnknownException;
    }
}

}  // namespace vl::base
