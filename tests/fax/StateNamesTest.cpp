#include "fax/StateNames.h"

#include <gtest/gtest.h>

#include "fax/ReceiveMachine.h"
#include "fax/SendMachine.h"

namespace vl::fax {
namespace {

// The dispatch log names each state by its number.
TEST(StateNames, EveryStateOfBothMachinesIsNamedInStateOrder) {
    const auto& send = SendStateNames();
    ASSERT_EQ(send.size(), static_cast<std::size_t>(kSendStateCount));
    const std::pair<int, const char*> sendCases[] = {
        {tfNone, "tfNone"},         {tfGetEntry, "tfGetEntry"}, {tf1Connect, "tf1Connect"},
        {tf1WaitMCF, "tf1WaitMCF"}, {tf20ChckPg, "tf20ChckPg"}, {tfDone, "tfDone"},
        {tf1EcmWaitRsp, "tf1EcmWaitRsp"},
    };
    for (const auto& [state, name] : sendCases) EXPECT_EQ(send[static_cast<std::size_t>(state)], name);

    const auto& receive = ReceiveStateNames();
    ASSERT_EQ(receive.size(), static_cast<std::size_t>(kReceiveStateCount));
    const std::pair<int, const char*> receiveCases[] = {
        {rfNone, "rfNone"},       {rfInit, "rfInit"},         {rf1ChkTrn, "rf1ChkTrn"},
        {rfGtPgDta, "rfGtPgDta"}, {rf2GetFHNG, "rf2GetFHNG"}, {rfDone, "rfDone"},
        {rf1EcmFrame, "rf1EcmFrame"}, {rf1EcmAnswer, "rf1EcmAnswer"},
    };
    for (const auto& [state, name] : receiveCases) EXPECT_EQ(receive[static_cast<std::size_t>(state)], name);
}

}  // namespace
}  // namespace vl::fax
