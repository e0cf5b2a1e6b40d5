#include "base/MessageTable.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <utility>
#include <vector>

#include "base/ErrorCodes.h"

namespace vl::base {
namespace {

// Texts that other parts of the program show, log or compare against.
const std::vector<std::pair<int, const char*>> kKnownTexts = {
    {0, "OK"},
    {2, "File not found"},
    {3, "Path not found"},
    {5, "File access denied"},
    {8, "Insufficient memory"},
    {101, "Disk is full"},
    {160, "Device write error"},
    {161, "Device read error"},
    {1002, "Bad argument passed to function"},
    {1003, "Got quit message"},
    {1005, "ComPort component not assigned"},
    {1006, "Internal error creating window class"},
    {1009, "Component not compatible with WinSock"},
    {2001, "ie_BadId - Specified comport doesn't exist"},
    {2007, "ie_NOpen - device not open"},
    {2008, "ie_Open - device already open"},
    {2011, "The ComNumber property of the TVlComPort has not been set"},
    {3001, "No device layer specified"},
    {3004, "Failed to put entire block"},
    {3006, "Output buffer too small for block"},
    {3007, "Buffer is empty"},
    {3010, "Base address not set"},
    {5001, "No more trigger slots"},
    {5002, "Data trigger too long"},
    {5003, "Bad trigger handle"},
    {6001, "Bad format in file list"},
    {6005, "Cancel requested"},
    {6006, "Fatal time out"},
    {6007, "Unrecoverable event during protocol"},
    {6008, "Too many errors during protocol"},
    {6010, "No filename specified in protocol receive"},
    {6011, "File was rejected"},
    {6012, "Cant write file"},
    {6014, "Aborting due to carrier loss"},
    {6016, "Protocol aborted"},
    {8001, "File is not an APF file"},
    {8002, "Unsupported graphics file format"},
    {8003, "User aborted fax conversion"},
    {8004, "User aborted fax unpack"},
    {8005, "CreateBitmapIndirect API failure"},
    {8052, "VLFAX.FNT not found, or resource bad"},
    {8053, "Invalid page number specified for fax"},
    {8054, "BMP size exceeds Windows' maxheight of 32767"},
    {8055, "Font selected for enhanced text converter too large"},
    {8060, "Fax incompatible with remote fax"},
    {8061, "Bad response from modem"},
    {8062, "Modems failed to train"},
    {8063, "Error while initializing modem"},
    {8064, "Called fax number was busy"},
    {8065, "Called fax number answered with voice"},
    {8066, "Incoming data call"},
    {8067, "No dial tone"},
    {8068, "Failed to connect to remote fax"},
    {8069, "Fax failed in mid-session"},
    {8070, "Fax failed at page end"},
    {8072, "Multiple resolutions per session not supported"},
    {8073, "Initialization of fax converter failed"},
    {8074, "Remote fax did not answer"},
};

const std::vector<std::pair<int, const char*>> kProgressTexts = {
    {4801, "Initializing modem for fax processing"},
    {4802, "Dialing"},
    {4803, "Busy, waiting until redial..."},
    {4804, "Sending page data"},
    {4805, "Sending EOP"},
    {4806, "Error sending page"},
    {4807, "Page accepted by remote"},
    {4808, "Connecting..."},
    {4820, "Waiting for incoming call"},
    {4821, "No connect on this call"},
    {4822, "Answering incoming call"},
    {4823, "Incoming call validated as fax"},
    {4824, "Getting page data"},
    {4825, "Getting end-of-page signal"},
    {4826, "Getting end-of-document status"},
    {4827, "Getting hangup command"},
    {4828, "Got Class 2 FHNG code"},
    {4840, "Getting connection params"},
    {4841, "Got called-station ID"},
    {4842, "User abort"},
    {4843, "Finished"},
};

TEST(MessageTableTest, HoldsExactlyTheNumberedRanges) {
    const std::vector<std::pair<std::uint32_t, std::uint32_t>> ranges = {
        {0, 162},       {1001, 1009}, {2001, 2013}, {3001, 3010}, {4001, 4008}, {4101, 4403},
        {4500, 4671},   {4700, 4723}, {4801, 4843}, {5001, 5003}, {5501, 5506}, {6001, 6016},
        {7001, 7014},   {8001, 8092}, {9001, 11004}, {13501, 15742}};
    const auto ids = MessageTable().Identifiers();
    EXPECT_EQ(MessageTable().Count(), 831u);
    EXPECT_EQ(ids.size(), 831u);  // no identifier twice
    std::vector<int> perRange(ranges.size(), 0);
    for (std::uint32_t id : ids) {
        bool inside = false;
        for (std::size_t r = 0; r < ranges.size(); ++r) {
            if (id >= ranges[r].first && id <= ranges[r].second) {
                inside = true;
                ++perRange[r];
            }
        }
        EXPECT_TRUE(inside) << id;
        EXPECT_FALSE(MessageTable().Find(id)->empty()) << id;
    }
    for (std::size_t r = 0; r < ranges.size(); ++r) EXPECT_GT(perRange[r], 0) << ranges[r].first;
}

TEST(MessageTableTest, KnownCodesReadTheirTextsWithEitherSign) {
    for (const auto& [code, text] : kKnownTexts) {
        EXPECT_EQ(ErrorText(code), text) << code;
        EXPECT_EQ(ErrorText(-code), text) << code;
    }
    EXPECT_EQ(ErrorText(ecFaxBusy), "Called fax number was busy");
    EXPECT_EQ(ErrorText(-ecFaxBusy), "Called fax number was busy");
}

TEST(MessageTableTest, EveryNamedCodeHasAText) {
    for (int code : {ecFileNotFound, ecPathNotFound, ecAccessDenied, ecOutOfMemory, ecDiskRead, ecDiskFull,
                     ecDeviceWrite, ecDeviceRead, ecBadArgument, ecGotQuitMsg, ecPortNotAssigned, ecInternal,
                     ecCannotUseWithWinSock, ecNoSuchPort, ecBaudRateNotSupported, ecDataBitsNotSupported,
                     ecPortInUse, ecPortNotOpen, ecPortAlreadyOpen, ecNoPortSelected, ecPortSettingsFailed,
                     ecPermissionDenied, ecNoDeviceLayer, ecBlockNotQueued, ecOutputBufferTooSmall, ecBufferEmpty,
                     ecNoBaseAddress, ecNoTriggerSlot, ecTriggerTooLong, ecBadTriggerHandle, ecBadFileList,
                     ecCancelRequested, ecFatalTimeout, ecUnrecoverableEvent, ecTooManyErrors, ecProtocolFailure,
                     ecNoReceiveFileName, ecFileRejected, ecCantWriteFile, ecCarrierLost, ecProtocolAborted,
                     ecFaxBadFormat, ecBadGraphicsFormat, ecConvertAbort, ecUnpackAbort, ecCantMakeBitmap,
                     ecFaxFontMissing, ecInvalidPageNumber, ecBmpTooTall, ecFontTooLarge, ecFaxBadMachine,
                     ecFaxBadModemResult, ecFaxTrainError, ecFaxInitError, ecFaxBusy, ecFaxVoiceCall,
                     ecFaxDataCall, ecFaxNoDialTone, ecFaxNoCarrier, ecFaxSessionError, ecFaxPageError,
                     ecFaxMixedResolutions, ecConverterInitFailed, ecFaxNoAnswer}) {
        EXPECT_TRUE(MessageTable().Find(static_cast<std::uint32_t>(-code)).has_value()) << code;
    }
}

TEST(MessageTableTest, PortInUseTextSaysSo) {
    EXPECT_NE(ErrorText(ecPortInUse).find("port in use"), std::string::npos);
}

TEST(MessageTableTest, ProgressTextsCoverOnlyTheFaxProgressCodes) {
    for (const auto& [code, text] : kProgressTexts) {
        EXPECT_EQ(ProgressText(code), text) << code;
        EXPECT_EQ(ErrorText(code), text) << code;
    }
    for (int code : {4800, 4809, 4819, 4829, 4839, 4844, -4801, 0, 8064}) {
        EXPECT_EQ(ProgressText(code), "") << code;
    }
    // The status displays give the text an 80-byte buffer.
    for (int code = fpInitModem; code <= fpFinished; ++code) EXPECT_LE(ProgressText(code).size(), 79u);
}

// The fax machines' state names, which the dispatch log shows.
TEST(MessageTableTest, HoldsTheStateNamesOfBothFaxMachines) {
    const std::pair<int, const char*> cases[] = {
        {15130, "tfNone"}, {15131, "tfGetEntry"}, {15178, "tfDone"},
        {15179, "rfNone"}, {15180, "rfInit"},     {15216, "rfDone"},
    };
    for (const auto& [code, text] : cases) EXPECT_EQ(ErrorText(code), text) << code;
}

TEST(MessageTableTest, CutsTextToTheBuffer) {
    EXPECT_EQ(ErrorText(ecFontTooLarge, 10), "Font sele");
    EXPECT_EQ(ErrorText(ecFontTooLarge, 1), "");
    EXPECT_EQ(ErrorText(ecFontTooLarge, 0), "");
    EXPECT_EQ(ErrorText(ecFaxBusy, 27), "Called fax number was busy");
    EXPECT_EQ(ErrorText(ecFaxBusy, 26), "Called fax number was bus");
}

TEST(MessageTableTest, MissingCodesFallBackToTheSystemText) {
    // 9 is no entry of the table, but the system knows it as a bad descriptor.
    ASSERT_FALSE(MessageTable().Find(9).has_value());
    EXPECT_EQ(ErrorText(-9), "Bad file descriptor");
    EXPECT_EQ(ErrorText(-9, 4), "Bad");
    // Neither the table nor the system knows these.
    EXPECT_EQ(ErrorText(9999), "");
    EXPECT_EQ(ErrorText(-4809), "");
    EXPECT_EQ(ErrorText(INT_MIN), "");
    EXPECT_EQ(ErrorText(INT_MAX), "");
}

}  // namespace
}  // namespace vl::base
