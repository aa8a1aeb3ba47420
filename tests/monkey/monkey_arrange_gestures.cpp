#include "monkey_arrange_gestures.h"

#include "canvas/kelp_view.h"
#include "monkey_dice.h"
#include "monkey_rig.h"
#include "services/command_ids.h"

#include <QComboBox>
#include <QDialog>
#include <QPushButton>
#include <QSpinBox>

namespace zembra::monkey {

namespace {

void clickIfThere(QDialog& dialog, const char* name, MonkeyDice& dice, int percent)
{
    auto* button = dialog.findChild<QPushButton*>(QString::fromLatin1(name));
    if (button && button->isEnabled() && button->isVisible() && dice.percent(percent)) {
        button->click();
    }
}

} // namespace

void ArrangeForBox(QDialog& dialog, MonkeyDice& dice)
{
    auto* arrange = dialog.findChild<QPushButton*>(QStringLiteral("arrangeForBox"));
    if (!arrange || !dice.percent(50)) {
        return;
    }
    auto* melody = dialog.findChild<QComboBox*>(QStringLiteral("melodyTrack"));
    if (melody && melody->count() > 0 && dice.percent(40)) {
        melody->setCurrentIndex(dice.below(melody->count()));
    }
    auto* chord = dialog.findChild<QSpinBox*>(QStringLiteral("chordLimit"));
    if (chord && dice.percent(40)) {
        chord->setValue(dice.between(chord->minimum(), chord->maximum()));
    }
    clickIfThere(dialog, "arrangeForBox", dice, 80);
    clickIfThere(dialog, "takeBarLength", dice, 50);
    // The list opens through the prompts, which answer it as any other dialog.
    clickIfThere(dialog, "arrangeChanges", dice, 15);
}

void SaveArrangeChanges(QDialog& dialog, MonkeyDice& dice)
{
    if (dialog.objectName() == QLatin1String("ArrangeChangesDialog")) {
        clickIfThere(dialog, "saveChanges", dice, 30);
    }
}

void ArrangeAgain(MonkeyRig& rig)
{
    rig.RunCommand(cmd::kArrangeAgain);
}

} // namespace zembra::monkey
