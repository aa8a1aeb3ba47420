#pragma once

class QDialog;

namespace zembra::monkey {

class MonkeyDice;
class MonkeyRig;

// The fit of a file to the comb and the mend of notes that will not sound, as a person at random
// would use them.

// Now and then switches the hole-spacing check on, then asks to mend what it flags.
void MendNotes(MonkeyRig& rig);

// In the import settings: presses "Fit to comb" now and then and picks a row of its table.
void FitToComb(QDialog& dialog, MonkeyDice& dice);

// In the import settings: now and then takes a track or two out of the import, or back in.
void ChooseTracks(QDialog& dialog, MonkeyDice& dice);

} // namespace zembra::monkey
