#include "fax/ResponseChecks.h"

#include <gtest/gtest.h>

namespace vl::fax {
namespace {

TEST(ResponseChecks, ContainsTestsFindTheWordAnywhere) {
    EXPECT_TRUE(HasOk("OK"));
    EXPECT_TRUE(HasOk("+FHNG:0 OK"));
    EXPECT_FALSE(HasOk("ok"));
    EXPECT_TRUE(HasConnect("CONNECT 14400"));
    EXPECT_TRUE(HasNoCarrier("NO CARRIER"));
    EXPECT_TRUE(HasNoCarrier("\x7fO CARRIER"));
    EXPECT_FALSE(HasNoCarrier("CARRIE"));
    EXPECT_TRUE(HasError("+FCERROR"));
    EXPECT_TRUE(HasHangupReport("+FHNG:50", "FHNG"));
    EXPECT_TRUE(HasHangupReport("+FHS:00", "FHS"));
    EXPECT_FALSE(HasHangupReport("+FHNG:50", "FHS"));
    EXPECT_FALSE(HasHangupReport("OK", ""));
}

TEST(ResponseChecks, HangupCodeReadsUpToThreeDigitsAfterTheColon) {
    struct Case {
        const char* response;
        int code;
    };
    const Case cases[] = {
        {"+FHNG:0", 0},     {"+FHNG:50", 50},  {"+FHNG:100", 100}, {"+FHNG: 100", 100},
        {"+FHS:  71", 71},  {"+FHNG:1234", 123}, {"+FHNG", 0},     {"+FHNG:", 0},
        {"+FHNG:x1", 0},    {"+FHNG:12x", 12}, {"A:1:2", 1},       {"+FHNG:-5", 0},
    };
    for (const Case& c : cases) EXPECT_EQ(HangupCode(c.response), c.code) << c.response;
}

}  // namespace
}  // namespace vl::fax
