// Numbers the fax engine shares with its components: the messages it sends to
// the component's window, the log codes carried by the log message, and the
// fax class values. The progress codes (4801..4843) and the error codes live
// with the message texts in base/ErrorCodes.h.
#pragma once

namespace vl::fax {

// Messages to the component window (and the abort event to the engine).
inline constexpr unsigned kMsgAbort = 0x7EA0;
inline constexpr unsigned kMsgNextFile = 0x7EA1;  // sent with a 2000 ms timeout
inline constexpr unsigned kMsgStatus = 0x7EA2;    // wParam bit 0 first, bit 1 last
inline constexpr unsigned kMsgLog = 0x7EA3;       // wParam = one of the log codes
inline constexpr unsigned kMsgName = 0x7EA4;
inline constexpr unsigned kMsgAccept = 0x7EA5;    // result 1 = accept the call
inline constexpr unsigned kMsgError = 0x7EA6;     // wParam = error code
inline constexpr unsigned kMsgFinish = 0x7EA7;    // wParam = last error code; posted

// How long a sent message may wait for the window.
inline constexpr int kMessageTimeoutMs = 1000;
inline constexpr int kNextFileTimeoutMs = 2000;

// Status message flags.
inline constexpr unsigned kStatusFirst = 1;
inline constexpr unsigned kStatusLast = 2;

// Log codes.
inline constexpr int kLogTransmitStarted = 1;
inline constexpr int kLogTransmitOk = 2;
inline constexpr int kLogTransmitFailed = 3;
inline constexpr int kLogReceiveStarted = 4;
inline constexpr int kLogReceiveOk = 5;
inline constexpr int kLogReceiveSkipped = 6;  // the call was not accepted
inline constexpr int kLogReceiveFailed = 7;

// Fax class of a session.
inline constexpr int kClassUnknown = 0;
inline constexpr int kClassDetect = 1;
inline constexpr int kClass1 = 2;
inline constexpr int kClass2 = 3;
inline constexpr int kClass2_0 = 4;

// Classes 2 and 2.0: the modem runs the fax protocol itself.
inline constexpr bool IsClass2Or20(int faxClass) { return faxClass == kClass2 || faxClass == kClass2_0; }

}  // namespace vl::fax
