#include "base/Exceptions.h"

#include <gtest/gtest.h>

#include <climits>
#include <new>
#include <string>
#include <vector>

#include "base/MessageTable.h"

namespace vl::base {
namespace {

template <typename E>
void ExpectRaises(int code) {
    SCOPED_TRACE(code);
    try {
        CheckException(code);
        ADD_FAILURE() << "nothing raised";
    } catch (const E& e) {
        EXPECT_EQ(e.ErrorCode(), code);
        EXPECT_EQ(e.what(), ErrorText(code));
        EXPECT_FALSE(std::string(e.what()).empty());
    } catch (...) {
        ADD_FAILURE() << "wrong exception class";
    }
}

TEST(ExceptionsTest, EachCodeRaisesItsOwnClass) {
    ExpectRaises<EPortNotAssigned>(-1005);
    ExpectRaises<EInternal>(-1006);
    ExpectRaises<ECannotUseWithWinSock>(-1009);
    ExpectRaises<EOutputBufferTooSmall>(-3006);
    ExpectRaises<EBadId>(-2001);
    ExpectRaises<EPortInUse>(-2005);
    ExpectRaises<ENotOpen>(-2007);
    ExpectRaises<EAlreadyOpen>(-2008);
    ExpectRaises<ENoPortSelected>(-2011);
    ExpectRaises<ENoDeviceLayer>(-3001);
    ExpectRaises<ETriggerTooLong>(-5002);
    ExpectRaises<EBadTriggerHandle>(-5003);
    ExpectRaises<EFaxBadFormat>(-8001);
    ExpectRaises<EBadGraphicsFormat>(-8002);
    ExpectRaises<EConvertAbort>(-8003);
    ExpectRaises<EUnpackAbort>(-8004);
    ExpectRaises<ECantMakeBitmap>(-8005);
    ExpectRaises<EInvalidPageNumber>(-8053);
    ExpectRaises<EFaxBadMachine>(-8060);
    ExpectRaises<EFaxBadModemResult>(-8061);
    ExpectRaises<EFaxTrainError>(-8062);
    ExpectRaises<EFaxInitError>(-8063);
    ExpectRaises<EFaxBusy>(-8064);
    ExpectRaises<EFaxVoiceCall>(-8065);
    ExpectRaises<EFaxDataCall>(-8066);
    ExpectRaises<EFaxNoDialTone>(-8067);
    ExpectRaises<EFaxNoCarrier>(-8068);
    ExpectRaises<EFaxSessionError>(-8069);
    ExpectRaises<EFaxPageError>(-8070);
    ExpectRaises<EProtocol>(-6006);
    ExpectRaises<EProtocol>(-6008);
    ExpectRaises<EProtocol>(-6009);
}

TEST(ExceptionsTest, ClassesCatchOnlyTheirOwnCode) {
    try {
        CheckException(ecFaxNoCarrier);
    } catch (const EFaxBusy&) {
        ADD_FAILURE() << "busy class caught another code";
    } catch (const EVlException& e) {
        EXPECT_EQ(e.ErrorCode(), ecFaxNoCarrier);
    }
}

TEST(ExceptionsTest, BusyMessageIsTheTableText) {
    try {
        throw EFaxBusy();
    } catch (const EVlException& e) {
        EXPECT_STREQ(e.what(), "Called fax number was busy");
    }
    EXPECT_EQ(ErrorText(-8064), ErrorText(8064));
}

TEST(ExceptionsTest, NonNegativeCodesRaiseNothing) {
    for (int code : {0, 1, 2, 8, 4801, 8064}) EXPECT_NO_THROW(CheckException(code)) << code;
}

TEST(ExceptionsTest, IoErrorsCarryThePositiveNumber) {
    for (int code : {-2, -3, -5, -100, -101, -160, -161, -162}) {
        try {
            CheckException(code);
            ADD_FAILURE() << code;
        } catch (const EInOutError& e) {
            EXPECT_EQ(e.IoError(), -code);
            EXPECT_EQ(e.what(), ErrorText(code));
        }
    }
    EXPECT_THROW(CheckException(ecOutOfMemory), std::bad_alloc);
}

TEST(ExceptionsTest, OtherNegativeCodesRaiseTheGenericException) {
    for (int code : {-1, -163, -1002, -1003, -6005, -8052, -8074, -9999, INT_MIN}) {
        try {
            CheckException(code);
            ADD_FAILURE() << code;
        } catch (const EVlException& e) {
            EXPECT_EQ(e.ErrorCode(), code);
            EXPECT_STREQ(e.what(), "Zerv exception");
        }
    }
}

int CodeOf(int code) {
    try {
        CheckException(code);
    } catch (...) {
        return ExceptionCode(std::current_exception());
    }
    return 0;
}

TEST(ExceptionsTest, ExceptionCodeReversesCheckException) {
    for (int code : {-2, -5, -8, -162, -163, -1, -1005, -2008, -3006, -5003, -6006, -6009, -8001, -8070, -8074})
        EXPECT_EQ(CodeOf(code), code);
}

TEST(ExceptionsTest, ForeignExceptionsMapToUnknown) {
    EXPECT_EQ(ExceptionCode(std::make_exception_ptr(std::runtime_error("x"))), ecUnknownException);
    EXPECT_EQ(ExceptionCode(std::make_exception_ptr(42)), ecUnknownException);
    EXPECT_EQ(ExceptionCode(std::make_exception_ptr(std::bad_alloc())), ecOutOfMemory);
    EXPECT_EQ(ExceptionCode(std::make_exception_ptr(EInOutError(5))), -5);
    EXPECT_EQ(ExceptionCode(std::make_exception_ptr(EVlException(-7001, "custom"))), -7001);
    EXPECT_EQ(ExceptionCode(nullptr), 0);
}

}  // namespace
}  // namespace vl::base
