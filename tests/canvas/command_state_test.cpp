#include "services/command_ids.h"
#include "canvas/command_state.h"

#include <gtest/gtest.h>

namespace zembra {
namespace {

TEST(CommandState, AvailabilityFollowsTheViewsState)
{
    ViewFacts idle;
    ViewFacts selected;
    selected.selectedCount = 2;
    selected.noteCount = 5;
    ViewFacts playing = selected;
    playing.playing = true;

    struct Case {
        int id;
        const ViewFacts* facts;
        bool enabled;
    };
    const Case cases[] = {
        {cmd::kSelectAll, &idle, true},
        {cmd::kSelectAll, &playing, true},
        {cmd::kExit, &idle, true},
        {cmd::kTempoLock, &selected, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(StateOf(c.id, *c.facts).enabled, c.enabled) << c.id;
    }
}

TEST(CommandState, ArrangeAgainIsOfferedWhileTheImportedNotesAreKept)
{
    ViewFacts kept;
    kept.noteCount = 12;
    kept.arrangeSourceKept = true;
    ViewFacts notKept = kept;
    notKept.arrangeSourceKept = false;
    ViewFacts emptyCanvas = kept;
    emptyCanvas.noteCount = 0; // everything deleted: the file is still there to arrange
    ViewFacts playing = kept;
    playing.playing = true;
    ViewFacts recording = kept;
    recording.recording = true;
    ViewFacts pressed = kept;
    pressed.buttonDown = true;
    struct Case {
        const char* what;
        const ViewFacts* facts;
        bool enabled;
    };
    const Case cases[] = {
        {"kept", &kept, true},           {"not kept", &notKept, false}, {"empty canvas", &emptyCanvas, true},
        {"playing", &playing, false},    {"recording", &recording, false}, {"button down", &pressed, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(StateOf(cmd::kArrangeAgain, *c.facts), (CommandState{c.enabled, false})) << c.what;
    }
}

TEST(CommandState, CommandsWithoutAHandlerAreUnavailable)
{
    ViewFacts facts;
    facts.selectedCount = 3;
    facts.noteCount = 3;
    facts.modified = true;
    for (int id = 32771; id <= 32830; ++id) {
        if (!IsImplemented(id)) {
            EXPECT_FALSE(StateOf(id, facts).enabled) << id;
        }
    }
    for (int id = 57600; id <= 57681; ++id) {
        if (!IsImplemented(id)) {
            EXPECT_FALSE(StateOf(id, facts).enabled) << id;
        }
    }
}

} // namespace
} // namespace zembra

namespace zembra {
namespace {

TEST(CommandRules, TablesOfTheView)
{
    ViewFacts none;
    ViewFacts one;
    one.selectedCount = 1;
    one.noteCount = 1;
    ViewFacts two = one;
    two.noteCount = 2;
    two.modified = true;
    two.canUndo = true;
    two.canRedo = true;
    two.clipboardHasNotes = true;
    two.snap8th = true;
    two.zoomMode = true;
    ViewFacts playing = two;
    playing.playing = true;
    ViewFacts recording = two;
    recording.recording = true;
    ViewFacts pressed = two;
    pressed.buttonDown = true;

    struct Case {
        int id;
        const ViewFacts* facts;
        CommandState expected;
    };
    const Case cases[] = {
        {cmd::kDuplicate, &none, {false, false}},
        {cmd::kDuplicate, &one, {true, false}},
        {cmd::kDuplicate, &playing, {false, false}},
        {cmd::kClear, &one, {true, false}},
        {cmd::kClear, &playing, {false, false}},
        {cmd::kSelectAll, &playing, {true, false}},
        {cmd::kQuantize8th, &two, {true, true}},
        {cmd::kQuantizeQuarter, &two, {true, false}},
        {cmd::kQuantize8th, &playing, {false, true}},
        {cmd::kZoomMode, &two, {true, true}},
        {cmd::kShiftAfterDragMode, &two, {true, false}},
        {cmd::kDistanceCheck, &one, {false, false}},
        {cmd::kDistanceCheck, &two, {true, false}},
        {cmd::kTempoLock, &two, {false, false}},
        {cmd::kFileSave, &one, {false, false}},
        {cmd::kFileSave, &two, {true, false}},
        {cmd::kFileSave, &playing, {false, false}},
        {cmd::kFileSaveAs, &none, {false, false}},
        {cmd::kFileSaveAs, &one, {true, false}},
        {cmd::kFileNew, &playing, {false, false}},
        {cmd::kPrint, &none, {true, false}},
        {cmd::kExportCardPdf, &none, {true, false}},
        {cmd::kExportCardPdf, &playing, {false, false}},
        {cmd::kPrintCalibration, &none, {true, false}},
        {cmd::kPrintCalibration, &playing, {false, false}},
        {cmd::kCalibrationLengths, &none, {true, false}},
        {cmd::kCalibrationLengths, &playing, {false, false}},
        {cmd::kPrintPreview, &playing, {false, false}},
        {cmd::kCopy, &none, {false, false}},
        {cmd::kCopy, &playing, {true, false}},
        {cmd::kCut, &one, {true, false}},
        {cmd::kPaste, &one, {false, false}},
        {cmd::kPaste, &two, {true, false}},
        {cmd::kUndo, &two, {true, false}},
        {cmd::kUndo, &playing, {false, false}},
        {cmd::kRedo, &playing, {false, false}},
        {cmd::kRedo, &two, {true, false}},
        {cmd::kUndo, &pressed, {false, false}},
        {cmd::kRedo, &pressed, {false, false}},
        {cmd::kDuplicate, &pressed, {true, false}},
        {cmd::kPlay, &none, {false, false}},
        {cmd::kPlay, &one, {true, false}},
        {cmd::kPlay, &playing, {false, true}},
        {cmd::kStop, &one, {false, false}},
        {cmd::kStop, &playing, {true, false}},
        {cmd::kSetTempo, &one, {false, false}},
        {cmd::kSetTempo, &playing, {true, false}},
        {cmd::kRecording, &one, {true, false}},
        {cmd::kRecording, &recording, {false, true}},
        {cmd::kRecording, &playing, {false, false}},
    };
    for (const Case& c : cases) {
        const CommandState state = RuleOf(c.id, *c.facts);
        EXPECT_EQ(state.enabled, c.expected.enabled) << c.id;
        EXPECT_EQ(state.checked, c.expected.checked) << c.id;
    }
}

} // namespace
} // namespace zembra
