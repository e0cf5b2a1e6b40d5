// The fixed choices the settings editors offer: transfer-rate list positions,
// fax class names, coding names, and the receipt printer value.
#pragma once

#include <string>
#include <string_view>

namespace vl::app {

// The rate lists show 2400, 4800, 7200, 9600, 12000, 14400 at positions 0 to 5;
// anything unknown maps to 9600 (position 3).
int PositionToRate(int position);
int RateToPosition(int rate);

// "AutoDetect", "Class 1", "Class 2", "Class 2.0", or "unknown".
std::string_view FaxClassName(int faxClass);

// The text for a value of key Coding: "MH only", "Up to MR (two-dimensional)",
// "Up to MMR (needs error correction)"; a value out of range gives the
// default's text, as it reads as the default.
std::string_view CodingName(int coding);

// The receipt printer name to store for the printer chosen in the editor: the
// program's own fax printer (any name containing "VELLORA" in any letter
// case) would send each received fax straight back into the send folder, so
// it is stored as the system's default printer instead.
std::string StoredReceiptPrinterName(std::string_view chosen);

}  // namespace vl::app
