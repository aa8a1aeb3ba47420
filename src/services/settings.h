#pragma once

#include "import/import_options.h"
#include "model/calibration.h"
#include "model/assembly_choices.h"
#include "model/song_state.h"
#include "services/printer_device_mode.h"

#include <QString>
#include <QStringList>

namespace zembra {

// The settings kept between runs, in QSettings under the organisation "Vantor" and the
// application title, with the section and value names earlier versions used.
namespace settings {

// Kinds of remembered folder.
inline constexpr char kMidiFolder[] = "MidiFile";
inline constexpr char kImageFolder[] = "ImageFile";
inline constexpr char kBoxFolder[] = "BoxFile";
inline constexpr int kRecentFileCount = 4;

// The folder last used for this kind of file, to start the file dialog in; empty when none is
// remembered or the folder no longer exists.
QString RestoreFolder(const char* kind);
// Remembers the folder of the file the user just chose.
void RememberFolder(const char* kind, const QString& chosenFile);

// The choices for putting a card together, which the song file does not keep: section "Card",
// values "StripNumbers" (on where never stored) into `options.stripNumbers`, the rest of `options`
// left as it is; "BarNumbers" (0, 1 or 4), "StripTitles", "Join" ("butt" or "overlap"),
// "OverlapMm", "SplitAtRests", "BlankMm" (0: a roll) and "Loop" into `assembly`.
void LoadCardMarks(PrintOptions& options, AssemblyChoices& assembly);
void SaveCardMarks(const PrintOptions& options, const AssemblyChoices& assembly);

// Most recent first, at most kRecentFileCount.
QStringList RecentFiles();
void AddRecentFile(const QString& path);

// The MIDI monitor (the virtual device, which sounds nothing) is offered in the device menu only
// when this is on: section "Midi", value "Monitor", true or false; false when absent.
bool MidiMonitorEnabled();

// Whether notes the box damps are played as the damper's click (Play > Play notes that will not
// sound as the box does): section "Play", value "AsBox"; on when absent.
bool PlayAsBox();
void RememberPlayAsBox(bool on);

// The import's fold by octaves and leave out drums as the user last confirmed them: section
// "Import", values "FoldOctaves" and "LeaveOutDrums". A comb plays no drums, so new settings
// leave them out; every track is taken (the tracks are a choice for one file).
ImportOptions LoadImportOptions();
void SaveImportOptions(const ImportOptions& options);

// The id of the box the user last chose ("33", "15", ... or the own box's "own"), for the next
// start of the program: section "Box", value "Last"; empty when none was chosen.
QString LastBoxId();
void RememberLastBoxId(const QString& id);

// Fills `mode` from the stored text when it is a whole, valid record; otherwise leaves it as it
// was and returns false.
bool LoadPrinterSettings(DevMode& mode);
// Stores the record unless it is all zero. False when it could not be stored; both values are
// then emptied so that no half-written record is read back.
bool SavePrinterSettings(const DevMode& mode);

// A printer's calibration factors (1 where none is kept, or where a kept value does not read as a
// factor in range). Kept per printer name, one value for each direction.
CalibrationFactors LoadCalibration(const QString& printerName);
// False when there is no name to keep them under or the store could not be written.
bool SaveCalibration(const QString& printerName, const CalibrationFactors& factors);
void ForgetCalibration(const QString& printerName);

} // namespace settings

// The printer settings of this run, owned by the application: loaded at start-up, used and
// updated by printing, stored when the main window closes.
DevMode& applicationDevMode();

} // namespace zembra
