#pragma once

// A canvas and its document wired to a toolkit as the main window wires them, with scripted
// prompts. By default the toolkit runs on the manual clock: the virtual device records what is
// sent, and time moves only when a test says so.
#include "app/document_view_link.h"
#include "canvas/kelp_view.h"
#include "midi/midi_bytes.h"
#include "midi/midi_toolkit.h"
#include "midi/sync_clock.h"
#include "document/kelp_doc.h"

#include "scoped_scripted_prompts.h"

#include <gtest/gtest.h>

#include <memory>
#include <utility>

namespace zembra {

// Installs a toolkit as the program's own for the lifetime of a test.
struct SharedToolkit {
    explicit SharedToolkit(MidiToolkit* toolkit) { MidiToolkit::setShared(toolkit); }
    ~SharedToolkit() { MidiToolkit::setShared(nullptr); }
    SharedToolkit(const SharedToolkit&) = delete;
    SharedToolkit& operator=(const SharedToolkit&) = delete;
};

class PlaybackFixture : public testing::Test {
protected:
    PlaybackFixture()
        : PlaybackFixture(std::make_shared<ManualTimeSource>())
    {
    }

    // A toolkit of other options, the steady clock say; `time` is empty unless they hold a manual one.
    explicit PlaybackFixture(ToolkitOptions options)
        : time(std::dynamic_pointer_cast<ManualTimeSource>(options.time))
        , toolkit(std::move(options))
        , installer(&toolkit)
        , clock(toolkit)
        , view(std::make_unique<CKelpView>())
    {
    }

    void SetUp() override
    {
        ASSERT_TRUE(clock.Open());
        clock.SetTempo(kDefaultTempo);
        LinkDocumentAndView(doc, *view);
        doc.setClock(&clock);
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

private:
    explicit PlaybackFixture(const std::shared_ptr<ManualTimeSource>& manual)
        : PlaybackFixture(ToolkitOptions::manual(manual))
    {
    }
};

} // namespace zembra
