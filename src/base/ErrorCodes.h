// Result codes of the serial, fax-file and fax-protocol layers (0 or negative)
// and the fax progress codes. The message table holds a text for each, found by
// the code's absolute value.
#pragma once

namespace vl::base {

inline constexpr int ecOK = 0;

// File and I/O errors: the negated I/O error number.
inline constexpr int ecFileNotFound = -2;
inline constexpr int ecPathNotFound = -3;
inline constexpr int ecAccessDenied = -5;
inline constexpr int ecOutOfMemory = -8;
inline constexpr int ecDiskRead = -100;
inline constexpr int ecDiskFull = -101;
inline constexpr int ecDeviceWrite = -160;  // a short write
inline constexpr int ecDeviceRead = -161;
inline constexpr int ecFirstIoError = -2;
inline constexpr int ecLastIoError = -162;

// Components.
inline constexpr int ecBadArgument = -1002;
inline constexpr int ecGotQuitMsg = -1003;
inline constexpr int ecComponentBusy = -1004;
inline constexpr int ecPortNotAssigned = -1005;
inline constexpr int ecInternal = -1006;
inline constexpr int ecCannotUseWithWinSock = -1009;

// Opening a port.
inline constexpr int ecNoSuchPort = -2001;
inline constexpr int ecBaudRateNotSupported = -2002;
inline constexpr int ecDataBitsNotSupported = -2003;
inline constexpr int ecPortInUse = -2005;
inline constexpr int ecPortNotOpen = -2007;
inline constexpr int ecPortAlreadyOpen = -2008;
inline constexpr int ecNoPortSelected = -2011;
inline constexpr int ecPortSettingsFailed = -2012;
inline constexpr int ecPermissionDenied = -2013;  // the user may not open serial devices

// Device layer and port buffers.
inline constexpr int ecNoDeviceLayer = -3001;
inline constexpr int ecBlockNotQueued = -3004;
inline constexpr int ecOutputBufferTooSmall = -3006;
inline constexpr int ecBufferEmpty = -3007;
inline constexpr int ecNoBaseAddress = -3010;

// Triggers.
inline constexpr int ecNoTriggerSlot = -5001;
inline constexpr int ecTriggerTooLong = -5002;
inline constexpr int ecBadTriggerHandle = -5003;

// Protocol sessions.
inline constexpr int ecBadFileList = -6001;
inline constexpr int ecCancelRequested = -6005;
inline constexpr int ecFatalTimeout = -6006;
inline constexpr int ecUnrecoverableEvent = -6007;
inline constexpr int ecTooManyErrors = -6008;
inline constexpr int ecProtocolFailure = -6009;
inline constexpr int ecNoReceiveFileName = -6010;
inline constexpr int ecFileRejected = -6011;
inline constexpr int ecCantWriteFile = -6012;
inline constexpr int ecCarrierLost = -6014;
inline constexpr int ecProtocolAborted = -6016;

// Fax files, conversion and unpacking.
inline constexpr int ecFaxBadFormat = -8001;
inline constexpr int ecBadGraphicsFormat = -8002;
inline constexpr int ecConvertAbort = -8003;
inline constexpr int ecUnpackAbort = -8004;
inline constexpr int ecCantMakeBitmap = -8005;
inline constexpr int ecFaxFontMissing = -8052;
inline constexpr int ecInvalidPageNumber = -8053;
inline constexpr int ecBmpTooTall = -8054;
inline constexpr int ecFontTooLarge = -8055;

// Fax sessions.
inline constexpr int ecFaxBadMachine = -8060;
inline constexpr int ecFaxBadModemResult = -8061;
inline constexpr int ecFaxTrainError = -8062;
inline constexpr int ecFaxInitError = -8063;
inline constexpr int ecFaxBusy = -8064;
inline constexpr int ecFaxVoiceCall = -8065;
inline constexpr int ecFaxDataCall = -8066;
inline constexpr int ecFaxNoDialTone = -8067;
inline constexpr int ecFaxNoCarrier = -8068;
inline constexpr int ecFaxSessionError = -8069;
inline constexpr int ecFaxPageError = -8070;
inline constexpr int ecFaxMixedResolutions = -8072;
inline constexpr int ecConverterInitFailed = -8073;
inline constexpr int ecFaxNoAnswer = -8074;
inline constexpr int ecFaxClassNotSupported = -8079;

// What an exception that is not one of the program's own maps back to.
inline constexpr int ecUnknownException = -9999;

// Fax progress codes (positive), shown by the status displays.
inline constexpr int fpInitModem = 4801;
inline constexpr int fpDialing = 4802;
inline constexpr int fpBusyWait = 4803;
inline constexpr int fpSendingPage = 4804;
inline constexpr int fpSendingEop = 4805;
inline constexpr int fpPageError = 4806;
inline constexpr int fpPageAccepted = 4807;
inline constexpr int fpConnecting = 4808;
inline constexpr int fpWaitingForCall = 4820;
inline constexpr int fpNoConnect = 4821;
inline constexpr int fpAnswering = 4822;
inline constexpr int fpCallValidated = 4823;
inline constexpr int fpGettingPage = 4824;
inline constexpr int fpGettingPageEnd = 4825;
inline constexpr int fpGettingDocStatus = 4826;
inline constexpr int fpGettingHangup = 4827;
inline constexpr int fpGotHangupCode = 4828;
inline constexpr int fpSessionParams = 4840;
inline constexpr int fpGotRemoteId = 4841;
inline constexpr int fpUserAbort = 4842;
inline constexpr int fpFinished = 4843;

}  // namespace vl::base
