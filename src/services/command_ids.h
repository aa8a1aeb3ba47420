#pragma once

// Numeric command ids: the program's own (32771-32830) and the standard File, Edit and Help
// commands (57600-57681). Menu items, toolbar buttons and keys all carry these.
namespace zembra::cmd {

inline constexpr int kZoomMode = 32787;
inline constexpr int kStop = 32788;
inline constexpr int kPlay = 32789;
inline constexpr int kQuantize8th = 32790;
inline constexpr int kQuantizeQuarter = 32791;
inline constexpr int kDuplicate = 32793;
// A canvas toolbar button that no command answers; it is not offered.
inline constexpr int kUnansweredTool = 32794;
inline constexpr int kToggleSelectMode = 32795;
inline constexpr int kQuantize16th = 32800;
inline constexpr int kDistanceCheck = 32801;
inline constexpr int kSettings = 32804;
inline constexpr int kOpenImage = 32805;
inline constexpr int kSetTempo = 32809;
inline constexpr int kToolbarSpacer = 32813;
inline constexpr int kRecording = 32814;
// The MIDI import editor's own commands.
inline constexpr int kRollOctaveUp = 32819;
inline constexpr int kRollOctaveDown = 32820;
inline constexpr int kRollCut = 32823;
inline constexpr int kRollUndo = 32824;
inline constexpr int kTempoLock = 32826;
inline constexpr int kShiftAfterDragMode = 32828;
inline constexpr int kValveAssignment = 32830;
// Renders the song to a WAV file.
inline constexpr int kExportAudio = 32840;
// Writes the card to a PDF file through the card painter, for machines without a printer.
inline constexpr int kExportCardPdf = 32841;
// Writes the card as SVG or DXF for a laser or vinyl cutter: holes and strip outlines to cut.
inline constexpr int kExportCardCutter = 32842;
// Moves the notes the hole-spacing check flags by octaves to rows where they sound, or deletes them.
inline constexpr int kMendCloseHoles = 32850;
// Prints the calibration strip on a printer and takes the lengths measured on it.
inline constexpr int kPrintCalibration = 32860;
// Takes the measured lengths of the calibration strip without printing it again.
inline constexpr int kCalibrationLengths = 32861;
// Reads a box of one's own from its file and moves the song onto it.
inline constexpr int kBoxFile = 32870;
// Arranges the imported file's notes for the box once more, with another melody track or chord limit.
inline constexpr int kArrangeAgain = 32880;
// Plays the card as the user turns the crank: the wheel, the Up and Down keys or a MIDI controller.
inline constexpr int kCrank = 32881;

inline constexpr int kFileNew = 57600;
inline constexpr int kFileOpen = 57601;
inline constexpr int kFileSave = 57603;
inline constexpr int kFileSaveAs = 57604;
inline constexpr int kPrintSetup = 57606;
inline constexpr int kPrint = 57607;
inline constexpr int kPrintPreview = 57609;
inline constexpr int kClear = 57632;
inline constexpr int kCopy = 57634;
inline constexpr int kCut = 57635;
inline constexpr int kPaste = 57637;
inline constexpr int kSelectAll = 57642;
inline constexpr int kUndo = 57643;
inline constexpr int kRedo = 57644;
inline constexpr int kAbout = 57664;
inline constexpr int kExit = 57665;
inline constexpr int kContextHelp = 57669;
inline constexpr int kHelp = 57670;
inline constexpr int kNextPane = 57680;
inline constexpr int kPreviousPane = 57681;

// Output devices of the "&Midi" menu: device d has id kFirstDevice + d.
inline constexpr int kFirstDevice = 201;
// MIDI inputs of the same menu: input i has id kFirstInput + i.
inline constexpr int kFirstInput = 401;

} // namespace zembra::cmd
