#include "midi/sync_clock.h"

#include "toolkit_fixture.h"

namespace zembra {
namespace {

class SyncClockTest : public test::ManualToolkitTest {};

TEST_F(SyncClockTest, ResumeKeepsTheCountAndStartResetsIt)
{
    SyncClock clock(toolkit);
    ASSERT_TRUE(clock.Open(0, 10));
    EXPECT_GT(clock.Handle(), kLastFailedHandle);
    clock.SetResolution(96);
    EXPECT_TRUE(clock.SetTempo(500'000));
    clock.Start();
    EXPECT_TRUE(clock.IsRunning());
    advanceUs(1'000'000);
    dispatch();
    EXPECT_EQ(clock.NotificationCount(), 2u);
    clock.Pause();
    EXPECT_FALSE(clock.IsRunning());
    EXPECT_EQ(clock.GetPosition(), 192u);
    clock.Resume();
    advanceUs(500'000);
    dispatch();
    EXPECT_EQ(clock.NotificationCount(), 3u);
    clock.Start();
    EXPECT_EQ(clock.NotificationCount(), 0u);
    EXPECT_EQ(clock.GetPosition(), 0u);
}

TEST_F(SyncClockTest, EndOfMaterialResetsTheCountThenCallsTheView)
{
    SyncClock clock(toolkit);
    ASSERT_TRUE(clock.Open());
    std::uint32_t countSeen = 99;
    clock.SetEndHandler([&] { countSeen = clock.NotificationCount(); });
    clock.onNotice(kNoticeClockBeat);
    clock.onNotice(kNoticeClockBeat);
    clock.onNotice(kNoticeEndOfMaterial);
    EXPECT_EQ(countSeen, 0u);
}

TEST_F(SyncClockTest, ClosedClockGuardsItsOperationsAndAnswersDefaults)
{
    SyncClock clock(toolkit);
    clock.Start();
    clock.Resume();
    EXPECT_FALSE(clock.IsRunning());
    EXPECT_FALSE(clock.SetTempo(400'000));
    EXPECT_EQ(clock.GetTempo(), kDefaultTempo) << "a tempo a caller can divide by";
    EXPECT_EQ(clock.GetResolution(), kDefaultResolution);
    EXPECT_EQ(clock.GetPosition(), 0u);

    ASSERT_TRUE(clock.Open());
    const std::uint32_t handle = clock.Handle();
    EXPECT_TRUE(clock.Open()) << "already open";
    EXPECT_EQ(clock.Handle(), handle);
    clock.Close();
    EXPECT_FALSE(clock.IsOpen());
    EXPECT_EQ(toolkit.StartSync(handle), -1);
}

TEST_F(SyncClockTest, ReopeningKeepsSettingsMarkedToBeKept)
{
    test::NoticeLog first, second;
    const std::uint32_t handle = toolkit.OpenSync(0, &first, 3, 10);
    EXPECT_EQ(toolkit.OpenSync(handle, &second, 0xFFFF, 0xFFFF), handle);
    EXPECT_EQ(toolkit.OpenSync(handle + 1000, &second, 0, 0), 0u);
    toolkit.SetTempo(handle, 250'000);
    toolkit.StartSync(handle);
    advanceUs(250'000);
    dispatch();
    EXPECT_TRUE(first.received.empty());
    EXPECT_EQ(second.count(kNoticeClockBeat), 1u) << "notices go to the window given at the re-open";
}

}  // namespace
}  // namespace zembra
