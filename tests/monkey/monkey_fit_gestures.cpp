#include "monkey_fit_gestures.h"

#include "app/main_frame.h"
#include "canvas/kelp_view.h"
#include "monkey_dice.h"
#include "monkey_rig.h"
#include "services/command_ids.h"

#include <QAction>
#include <QDialog>
#include <QPushButton>
#include <QTableWidget>

#include <string>

namespace zembra::monkey {

void MendNotes(MonkeyRig& rig)
{
    // The command is offered only while the check is on, so most of the time it is put on first.
    if (!rig.view().song().distanceCheckMode && rig.dice().percent(70)) {
        rig.RunCommand(cmd::kDistanceCheck);
    }
    rig.RunCommand(cmd::kMendCloseHoles);
}

void FitToComb(QDialog& dialog, MonkeyDice& dice)
{
    auto* fit = dialog.findChild<QPushButton*>(QStringLiteral("fitToComb"));
    if (fit && fit->isEnabled() && dice.percent(50)) {
        fit->click();
    }
    auto* table = dialog.findChild<QTableWidget*>(QStringLiteral("fitTable"));
    if (table && table->rowCount() > 0 && dice.percent(50)) {
        table->selectRow(dice.below(table->rowCount()));
    }
}

void ChooseTracks(QDialog& dialog, MonkeyDice& dice)
{
    auto* tracks = dialog.findChild<QTableWidget*>(QStringLiteral("trackTable"));
    if (!tracks || tracks->rowCount() == 0 || !dice.percent(40)) {
        return;
    }
    for (int turns = dice.between(1, 2); turns > 0; --turns) {
        QTableWidgetItem* box = tracks->item(dice.below(tracks->rowCount()), 0);
        box->setCheckState(box->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
    }
}

} // namespace zembra::monkey
