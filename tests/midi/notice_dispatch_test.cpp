// One dispatch delivers what was waiting when it began: a handler whose answer causes the
// next notice (a port that always puts one more event) cannot keep the GUI thread inside.
#include "midi/notice_pump.h"

#include "toolkit_fixture.h"
#include "watchdog.h"

#include <chrono>

namespace zembra {
namespace {

using namespace std::chrono_literals;

// Answers every "more" with one event due at once on the running clock, so that the port runs
// dry and asks again straight away; gives up after `limit` answers so that a broken dispatch
// ends too, only later.
struct EndlessFeeder : NoticeTarget {
    MidiToolkit* toolkit = nullptr;
    std::uint32_t port = 0;
    int answered = 0;
    int limit = 0;
    void onNotice(unsigned message) override
    {
        if (message != kNoticeMoreEvents || ++answered >= limit)
            return;
        const MidiEvent strike{0, kNoteOn, 60, 64, 0};
        toolkit->PutMidiOut(port, &strike);
    }
};

class NoticeDispatch : public test::ManualToolkitTest {
protected:
    void SetUp() override
    {
        clock = toolkit.OpenSync(0, &clockLog, 0, 10);
        ASSERT_EQ(toolkit.StartSync(clock), 0);
        feeder.toolkit = &toolkit;
        feeder.port = toolkit.OpenMidiOut(&feeder, 0, clock, 0);
        ASSERT_GT(feeder.port, kLastFailedHandle);
        ASSERT_EQ(toolkit.pendingNotices(), 1u) << "a new port asks for events";
    }

    test::NoticeLog clockLog;
    EndlessFeeder feeder;
    std::uint32_t clock = 0;
};

TEST_F(NoticeDispatch, OneCallDeliversOnlyWhatWasWaiting)
{
    feeder.limit = 1000;
    for (int call = 1; call <= 5; ++call) {
        toolkit.dispatchNotices();
        EXPECT_EQ(feeder.answered, call) << "the answer's own question waits for the next call";
        EXPECT_EQ(toolkit.pendingNotices(), 1u);
    }
    EXPECT_EQ(sent().size(), 5u);
}

TEST_F(NoticeDispatch, AnEndDecidedByAnAnswerComesWithTheNextCall)
{
    feeder.limit = 1;  // the first answer puts nothing: the port never had material
    toolkit.dispatchNotices();
    const MidiEvent strike{0, kNoteOn, 60, 64, 0};
    ASSERT_EQ(toolkit.PutMidiOut(feeder.port, &strike), 0);  // sent at once: the port runs dry
    ASSERT_EQ(toolkit.pendingNotices(), 1u) << "the drained port asks";
    toolkit.dispatchNotices();  // the answer puts nothing: the material has ended
    EXPECT_EQ(clockLog.count(kNoticeEndOfMaterial), 0u);
    EXPECT_EQ(toolkit.pendingNotices(), 1u);
    toolkit.dispatchNotices();
    EXPECT_EQ(clockLog.count(kNoticeEndOfMaterial), 1u);
    EXPECT_EQ(toolkit.pendingNotices(), 0u);
}

TEST_F(NoticeDispatch, TheEventLoopAnswersWhileAHandlerKeepsMakingWork)
{
    feeder.limit = 20000;
    NoticePump pump(toolkit);
    test::Watchdog watchdog(20s, "the notice pump");
    EXPECT_TRUE(test::eventLoopAnswers());
    EXPECT_LT(feeder.answered, feeder.limit) << "a timer had its turn while the feeding went on";
    EXPECT_GT(feeder.answered, 0);
    // Each notice asked for one call: the queued calls do not pile up behind the work.
    const int before = feeder.answered;
    test::runEventLoopFor(20ms);
    EXPECT_GT(feeder.answered, before);
    EXPECT_EQ(toolkit.pendingNotices(), 1u);
}

}  // namespace
}  // namespace zembra
