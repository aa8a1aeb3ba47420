#pragma once

namespace zembra {

// Receives the toolkit's notices (kNoticeClockBeat, kNoticeMoreEvents, kNoticeEndOfMaterial),
// always on the thread that calls MidiToolkit::dispatchNotices, one at a time.
class NoticeTarget {
public:
    virtual void onNotice(unsigned message) = 0;

protected:
    ~NoticeTarget() = default;
};

}  // namespace zembra
