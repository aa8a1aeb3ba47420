#pragma once

namespace zembra {

// What the availability of commands depends on, read off the view and the document.
struct ViewFacts {
    int selectedCount = 0;
    int noteCount = 0;
    bool playing = false;
    bool recording = false;
    // Play > Crank: the card moves as the user turns.
    bool cranking = false;
    bool modified = false;
    bool canUndo = false;
    bool canRedo = false;
    bool clipboardHasNotes = false;
    bool snapQuarter = false;
    bool snap8th = false;
    bool snap16th = false;
    bool toggleSelectMode = false;
    bool zoomMode = false;
    bool shiftAfterDragMode = false;
    bool distanceCheckMode = false;
    // Notes the hole-spacing check flags (counted only while the check is on).
    int closeHoleCount = 0;
    // A left-button press on the canvas is in progress: its release will apply it to the song
    // as it was at the press.
    bool buttonDown = false;
    // The notes of the imported file that the song on the canvas came from are still kept.
    bool arrangeSourceKept = false;
};

struct CommandState {
    bool enabled = false;
    bool checked = false;
    bool operator==(const CommandState&) const = default;
};

// Whether a command is available and whether it carries a check mark. Commands the program does
// not carry out yet are unavailable.
CommandState StateOf(int commandId, const ViewFacts& facts);
// The availability rule alone, whether or not the command is carried out yet.
CommandState RuleOf(int commandId, const ViewFacts& facts);

// The commands that have a handler in this build; StateOf disables every other one.
bool IsImplemented(int commandId);

} // namespace zembra
