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

TEST(ResponseChecks, ClassifyReplyDecidesOnceInAFixedOrder) {
    struct Case {
        const char* response;
        const char* reportName;
        ModemReply kind;
    };
    const Case cases[] = {
        {"OK", "", ModemReply::Ok},
        {"  OK  ", "", ModemReply::Ok},
        {"ok", "", ModemReply::Other},  // the tests match case
        {"CONNECT", "", ModemReply::Connect},
        {"CONNECT 14400", "", ModemReply::Connect},
        {"NO CARRIER", "", ModemReply::NoCarrier},
        {"\x7fO CARRIER", "", ModemReply::NoCarrier},  // a garbled start still counts
        {"NO  CARRIER", "", ModemReply::NoCarrier},  // only the word's end is looked for
        {"ERROR", "", ModemReply::Error},
        {"+FCERROR", "", ModemReply::Error},
        {"BUSY", "", ModemReply::Busy},
        {"NO ANSWER", "", ModemReply::NoAnswer},
        {"VOICE", "", ModemReply::Voice},
        {"VCON", "", ModemReply::Voice},
        {"NO DIALTONE", "", ModemReply::NoDialTone},
        {"NO DIAL TONE", "", ModemReply::NoDialTone},
        {"RINGING", "", ModemReply::Other},
        {"+FHNG:0", "FHNG", ModemReply::Hangup},
        {"+FHS: 100", "FHS", ModemReply::Hangup},
        {"+FHNG:0", "FHS", ModemReply::Other},
        {"+FHNG:0", "", ModemReply::Other},  // Class 1 has no report
        // More than one word: the first in the order wins.
        {"+FHNG:0 OK", "FHNG", ModemReply::Hangup},
        {"+FHNG:0 OK", "", ModemReply::Ok},
        {"+FHNG:0 ERROR", "FHNG", ModemReply::Error},
        {"BUSY NO CARRIER", "", ModemReply::Busy},
        {"", "", ModemReply::Other},
        // A far station's ID is its own text, whatever words it holds.
        {"+FTSI:\"TERROR INC\"", "FHNG", ModemReply::Other},
        {"+FCI: \"NO CARRIER OK\"", "FHS", ModemReply::Other},
        {"+FCSI:\"+FHNG:50\"", "FHNG", ModemReply::Other},
        {"+FTSI:\"A\"BUSY\"\"", "", ModemReply::Other},
        {"+FCSI:\"CALLER\" OK", "", ModemReply::Ok},
        {"+FCSI:\"OPEN", "", ModemReply::Other},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ClassifyReply(c.response, c.reportName), c.kind) << '"' << c.response << "\" with " << c.reportName;
}

}  // namespace
}  // namespace vl::fax
