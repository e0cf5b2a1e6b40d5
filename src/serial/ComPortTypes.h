// The value types of the comm port component: its enumerations, flow option
// bits, event signatures and the messages it sends to port watchers.
#pragma once

#include <cstdint>
#include <functional>

namespace vl::serial {

class VlComPort;

enum DeviceLayer { dlWin16, dlFossil, dlWin32, dlWinsock };

enum ComParity { pNone, pOdd, pEven, pMark, pSpace };

// HWFlowOptions is a set of these bits; they are also the dispatcher's
// hardware flow bits (hfUseDtr ... hfRequireCts).
inline constexpr unsigned hwfUseDTR = 1;
inline constexpr unsigned hwfUseRTS = 2;
inline constexpr unsigned hwfRequireDSR = 4;
inline constexpr unsigned hwfRequireCTS = 8;

enum SWFlowOptions { swfNone, swfReceive, swfTransmit, swfBoth };

enum TraceLogState { tlOff, tlOn, tlDump, tlAppend, tlClear, tlPause };

enum TapiMode { tmNone, tmAuto, tmOn, tmOff };

// Told to watcher windows: wParam 0, lParam the port (a VlComPort*).
inline constexpr std::uint32_t kPortOpenedMsg = 0x7E08;   // 32264
inline constexpr std::uint32_t kPortClosingMsg = 0x7E09;  // 32265
// Posted to the port's own window to finish a close that had to wait for the
// dispatcher's threads; lParam high word = the dispatcher's handle.
inline constexpr std::uint32_t kFinishCloseMsg = 0x7E0A;  // 32266

using TriggerEvent = std::function<void(VlComPort& sender, std::uint32_t msg, int triggerHandle, int data)>;
using TriggerAvailEvent = std::function<void(VlComPort& sender, int count)>;
using TriggerHandleEvent = std::function<void(VlComPort& sender, int triggerHandle)>;
using TriggerLineErrorEvent = std::function<void(VlComPort& sender, int error, bool lineBreak)>;
using NotifyEvent = std::function<void(VlComPort& sender)>;
using WaitCharEvent = std::function<void(VlComPort& sender, char c)>;
// A port watcher's callback: true when the port has opened, false when it is closing.
using PortWatchCallback = std::function<void(VlComPort& port, bool opened)>;
// Told when the open port stopped working because one of its threads failed,
// with the failure's code (base::ExceptionCode).
using PortFailureCallback = std::function<void(VlComPort& port, int code)>;

}  // namespace vl::serial
