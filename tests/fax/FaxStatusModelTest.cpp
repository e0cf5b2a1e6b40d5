#include "fax/FaxStatusModel.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "base/ErrorCodes.h"
#include "base/Ticks.h"

namespace vl::fax {
namespace {

using base::SecsToTicks;

FaxStatusInput Sender(int progress)
{
    FaxStatusInput input;
    input.sender = true;
    input.phoneNumber = "5550100";
    input.faxFile = "/send/FAX00001.APF";
    input.coverFile = "/send/COVER.APF";
    input.redialWaitSecs = 60;
    FaxProgressValues& v = input.values;
    v.progress = progress;
    v.dialAttempt = 2;
    v.pagesInFile = 3;
    v.currentPage = 1;
    v.bps = 14400;
    v.fine = true;
    v.pageLength = 2000;
    v.bytesTransferred = 500;
    return input;
}

TEST(FaxStatusModel, FirstShowsLastHidesAndTheTextsFollowTheValues)
{
    FaxStatusModel model;
    model.Update(Sender(base::fpDialing), true, false, 1000);
    FaxStatusView v = model.View();
    EXPECT_TRUE(v.visible);
    EXPECT_EQ(v.phoneNumber, "5550100");
    EXPECT_EQ(v.coverFile, "/send/COVER.APF");
    EXPECT_EQ(v.dialAttempt, "2");
    EXPECT_EQ(v.connectSpeed, "14400");
    EXPECT_EQ(v.resolution, "high");
    EXPECT_EQ(v.width, "1728");
    EXPECT_EQ(v.errorControl, "off");
    EXPECT_EQ(v.currentPage, "1");
    EXPECT_EQ(v.statusText, "Dialing");
    EXPECT_TRUE(v.meterVisible);
    EXPECT_EQ(v.meterPercent, 25);

    FaxStatusInput cover = Sender(base::fpSendingPage);
    cover.values.currentPage = 0;
    cover.values.wide = true;
    cover.values.ecm = true;
    cover.values.bytesTransferred = 2500;  // past a stale length: the meter stops at full
    model.Update(cover, false, false, 1001);
    v = model.View();
    EXPECT_EQ(v.currentPage, "<cover page>");
    EXPECT_EQ(v.width, "2048");
    EXPECT_EQ(v.errorControl, "on");
    EXPECT_EQ(v.meterPercent, 100);

    model.Update(cover, false, true, 1002);
    EXPECT_FALSE(model.View().visible);
}

TEST(FaxStatusModel, AReceiverShowsNoMeterAndNoSenderTexts)
{
    FaxStatusModel model;
    FaxStatusInput input = Sender(base::fpGettingPage);
    input.sender = false;
    input.values.pageLength = 0;
    model.Update(input, true, false, 0);
    const FaxStatusView& v = model.View();
    EXPECT_FALSE(v.meterVisible);
    EXPECT_EQ(v.meterLabel, "Page progress: N/A");
    EXPECT_EQ(v.dialAttempt, "1");
    EXPECT_EQ(v.phoneNumber, "");
    EXPECT_EQ(v.faxFile, "");
    EXPECT_EQ(v.resolution, "high");
}

TEST(FaxStatusModel, ElapsedTimeRunsFromConnectionToTheEnd)
{
    FaxStatusModel model;
    const base::Tick t0 = 5000;
    model.Update(Sender(base::fpDialing), true, false, t0);
    model.Update(Sender(base::fpDialing), false, false, t0 + SecsToTicks(30));
    EXPECT_EQ(model.View().elapsedTime, "00:00");
    // The clock starts at the first of 4840 / 4841 and is not restarted by
    // the other one.
    model.Update(Sender(base::fpGotRemoteId), false, false, t0 + SecsToTicks(40));
    model.Update(Sender(base::fpSessionParams), false, false, t0 + SecsToTicks(50));
    EXPECT_EQ(model.View().elapsedTime, "00:10");
    model.Update(Sender(base::fpSendingPage), false, false, t0 + SecsToTicks(125));
    EXPECT_EQ(model.View().elapsedTime, "01:25");
    model.Update(Sender(base::fpFinished), false, false, t0 + SecsToTicks(130));
    model.Update(Sender(base::fpFinished), false, false, t0 + SecsToTicks(500));
    EXPECT_EQ(model.View().elapsedTime, "01:30");
    // A new session starts over.
    model.Update(Sender(base::fpDialing), true, false, t0 + SecsToTicks(600));
    EXPECT_EQ(model.View().elapsedTime, "00:00");
}

TEST(FaxStatusModel, ElapsedTimeSurvivesTheTickCounterWrapping)
{
    FaxStatusModel model;
    const base::Tick nearWrap = 0x7FFFFFFF - 10;
    model.Update(Sender(base::fpSessionParams), true, false, nearWrap);
    model.Update(Sender(base::fpSendingPage), false, false,
                 static_cast<base::Tick>(static_cast<std::uint32_t>(nearWrap) + SecsToTicks(65)));
    EXPECT_EQ(model.View().elapsedTime, "01:05");
}

TEST(FaxStatusModel, RedialWaitCountsDownFromTheFirstBusyStatus)
{
    FaxStatusModel model;
    model.Update(Sender(base::fpDialing), true, false, 0);
    model.Update(Sender(base::fpBusyWait), false, false, 100);
    EXPECT_EQ(model.View().statusText, "Busy, waiting until redial... 01:00");
    model.Update(Sender(base::fpBusyWait), false, false, 100 + SecsToTicks(45));
    EXPECT_EQ(model.View().statusText, "Busy, waiting until redial... 00:15");
    model.Update(Sender(base::fpBusyWait), false, false, 100 + SecsToTicks(90));
    EXPECT_EQ(model.View().statusText, "Busy, waiting until redial... 00:00");
    // The next busy wait counts from its own start.
    model.Update(Sender(base::fpDialing), false, false, 100 + SecsToTicks(91));
    EXPECT_EQ(model.View().statusText, "Dialing");
    model.Update(Sender(base::fpBusyWait), false, false, 100 + SecsToTicks(100));
    EXPECT_EQ(model.View().statusText, "Busy, waiting until redial... 01:00");
}

TEST(FaxStatusModel, CancelReachesTheLinkedFax)
{
    FaxStatusModel model;
    model.Cancel();  // nothing linked: nothing happens
    int cancels = 0;
    model.OnCancel = [&cancels] { ++cancels; };
    model.Cancel();
    EXPECT_EQ(cancels, 1);
}

}  // namespace
}  // namespace vl::fax
