#include "app/SettingChoices.h"

#include "app/Settings.h"
#include "base/TextCase.h"

namespace vl::app {

int PositionToRate(int position) {
    switch (position) {
        case 0: return 2400;
        case 1: return 4800;
        case 2: return 7200;
        case 4: return 12000;
        case 5: return 14400;
        default: return 9600;
    }
}

int RateToPosition(int rate) {
    switch (rate) {
        case 2400: return 0;
        case 4800: return 1;
        case 7200: return 2;
        case 12000: return 4;
        case 14400: return 5;
        default: return 3;
    }
}

std::string_view FaxClassName(int faxClass) {
    switch (faxClass) {
        case 0: return "AutoDetect";
        case 1: return "Class 1";
        case 2: return "Class 2";
        case 3: return "Class 2.0";
        default: return "unknown";
    }
}

std::string_view CodingName(int coding) {
    switch (coding) {
        case kCodingMhOnly: return "MH only";
        case kCodingUpToMr: return "Up to MR (two-dimensional)";
        default: return "Up to MMR (needs error correction)";
    }
}

std::string StoredReceiptPrinterName(std::string_view chosen) {
    if (base::ContainsNoCase(chosen, "VELLORA")) return std::string(kDefaultPrinterName);
    return std::string(chosen);
}

}  // namespace vl::app
