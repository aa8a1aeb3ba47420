#include "canvas/command_state.h"

#include "services/command_ids.h"

#include <algorithm>
#include <array>

namespace zembra {

namespace {

// Commands with a handler in this build.
constexpr std::array kImplemented = {
    cmd::kSelectAll,
    cmd::kExit,
    cmd::kAbout,
    cmd::kHelp,
    cmd::kContextHelp,
    cmd::kNextPane,
    cmd::kPreviousPane,
    cmd::kUndo,
    cmd::kRedo,
    cmd::kCopy,
    cmd::kCut,
    cmd::kPaste,
    cmd::kDuplicate,
    cmd::kClear,
    cmd::kQuantizeQuarter,
    cmd::kQuantize8th,
    cmd::kQuantize16th,
    cmd::kToggleSelectMode,
    cmd::kZoomMode,
    cmd::kShiftAfterDragMode,
    cmd::kPlay,
    cmd::kStop,
    cmd::kRecording,
    cmd::kSetTempo,
    cmd::kExportAudio,
    cmd::kFileNew,
    cmd::kFileOpen,
    cmd::kFileSave,
    cmd::kFileSaveAs,
    cmd::kOpenImage,
    cmd::kDistanceCheck,
    cmd::kMendCloseHoles,
    cmd::kArrangeAgain,
    cmd::kPrintSetup,
    cmd::kPrint,
    cmd::kPrintPreview,
    cmd::kExportCardPdf,
    cmd::kExportCardCutter,
    cmd::kPrintCalibration,
    cmd::kCalibrationLengths,
    cmd::kSettings,
    cmd::kBoxFile,
    cmd::kCrank,
};

} // namespace

bool IsImplemented(int commandId)
{
    return std::find(kImplemented.begin(), kImplemented.end(), commandId) != kImplemented.end();
}

CommandState StateOf(int commandId, const ViewFacts& facts)
{
    CommandState state = RuleOf(commandId, facts);
    if (!IsImplemented(commandId)) {
        state.enabled = false;
    }
    return state;
}

CommandState RuleOf(int commandId, const ViewFacts& f)
{
    const bool idle = !f.playing && !f.cranking;
    CommandState state;
    switch (commandId) {
    case cmd::kDuplicate:
    case cmd::kClear:
        state.enabled = f.selectedCount >= 1 && idle;
        break;
    case cmd::kSelectAll:
        state.enabled = true;
        break;
    case cmd::kQuantizeQuarter:
        state = {idle, f.snapQuarter};
        break;
    case cmd::kQuantize8th:
        state = {idle, f.snap8th};
        break;
    case cmd::kQuantize16th:
        state = {idle, f.snap16th};
        break;
    case cmd::kToggleSelectMode:
        state = {idle, f.toggleSelectMode};
        break;
    case cmd::kZoomMode:
        state = {idle, f.zoomMode};
        break;
    case cmd::kShiftAfterDragMode:
        state = {idle, f.shiftAfterDragMode};
        break;
    case cmd::kSettings:
        state.enabled = idle;
        break;
    case cmd::kDistanceCheck:
        state = {f.noteCount >= 2 && idle, f.distanceCheckMode};
        break;
    case cmd::kMendCloseHoles:
        state.enabled = f.distanceCheckMode && f.closeHoleCount > 0 && idle && !f.buttonDown;
        break;
    case cmd::kArrangeAgain:
        state.enabled = f.arrangeSourceKept && idle && !f.recording && !f.buttonDown;
        break;
    case cmd::kTempoLock:
        state.enabled = false;
        break;
    case cmd::kFileNew:
    case cmd::kFileOpen:
    case cmd::kOpenImage:
    case cmd::kPrintSetup:
    case cmd::kPrint:
    case cmd::kPrintPreview:
    case cmd::kExportCardPdf:
    case cmd::kExportCardCutter:
    case cmd::kPrintCalibration:
    case cmd::kCalibrationLengths:
    case cmd::kBoxFile:
        state.enabled = idle;
        break;
    case cmd::kFileSave:
        state.enabled = idle && f.modified;
        break;
    case cmd::kFileSaveAs:
    case cmd::kExportAudio:
        state.enabled = idle && f.noteCount >= 1;
        break;
    case cmd::kCopy:
    case cmd::kCut:
        state.enabled = f.selectedCount > 0;
        break;
    case cmd::kPaste:
        state.enabled = f.clipboardHasNotes;
        break;
    // Restoring a state under a press would leave the press naming slots of another song.
    case cmd::kUndo:
        state.enabled = f.canUndo && idle && !f.buttonDown;
        break;
    case cmd::kRedo:
        state.enabled = f.canRedo && idle && !f.buttonDown;
        break;
    case cmd::kPlay:
        state = {f.noteCount >= 1 && idle, f.playing};
        break;
    case cmd::kStop:
        state.enabled = f.playing || f.cranking;
        break;
    case cmd::kCrank:
        state = {(f.noteCount >= 1 && idle) || f.cranking, f.cranking};
        break;
    case cmd::kSetTempo:
        state.enabled = f.playing;
        break;
    case cmd::kRecording:
        state = {!f.recording && idle, f.recording};
        break;
    default:
        state.enabled = true;
        break;
    }
    return state;
}

} // namespace zembra
