#pragma once

class QDialog;

namespace zembra::monkey {

class MonkeyDice;
class MonkeyRig;

// Arranging for the box as a person at random would: in the import settings, and again from the
// Edit menu on a song already on the canvas.

// In the import settings: now and then picks a melody track and a chord limit and presses
// "Arrange for the box", takes the bar length it advises or opens its list of changes.
void ArrangeForBox(QDialog& dialog, MonkeyDice& dice);

// In the list of changes: now and then saves it as text (RandomPrompts picks the file).
void SaveArrangeChanges(QDialog& dialog, MonkeyDice& dice);

// Edit > Arrange again, from the menu or its key; RandomPrompts fills its choices and answers it.
void ArrangeAgain(MonkeyRig& rig);

} // namespace zembra::monkey
