#pragma once

// A canvas and its document wired to a toolkit on the manual clock, as the main window wires
// them: the virtual device records what is sent, and time moves only when a test says so.
#include "canvas/kelp_view.h"
#include "midi/midi_toolkit.h"
#include "midi/sync_clock.h"
#include "song/kelp_doc.h"

#include "scoped_scripted_prompts.h"

#include <gtest/gtest.h>

#include <memory>

namespace zembra {

// Installs a toolkit as the program's own for the lifetime of a test.
struct SharedToolkit {
    explicit SharedToolkit(MidiToolkit* toolkit) { MidiToolkit::setShared(toolkit); }
    ~SharedToolkit() { MidiToolkit::setShared(nullptr); }
    SharedToolkit(const SharedToolkit&) = delete;
    SharedToolkit& operator=(const SharedToolkit&) = delete;
};

class ManualClockPlayback : public testing::Test {
protected:
    ManualClockPlayback()
        : time(std::make_shared<ManualTimeSource>())
        , toolkit(ToolkitOptions::manual(time))
        , installer(&toolkit)
        , clock(toolkit)
        , view(std::make_unique<CKelpView>())
    {
    }

    void SetUp() override
    {
        ASSERT_TRUE(clock.Open());
        clock.SetTempo(500000);
        doc.setView(view.get());
        doc.setClock(&clock);
        view->SetDocument(&doc);
        view->AttachToFrame(&clock, nullptr, nullptr);
    }

    void TearDown() override { view->DetachFromFrame(); }

    ScopedScriptedPrompts scripted;
    std::shared_ptr<ManualTimeSource> time;
    MidiToolkit toolkit;
    SharedToolkit installer;
    SyncClock clock;
    CKelpDoc doc;
    std::unique_ptr<CKelpView> view;
};

} // namespace zembra
