#include "monkey_calibration_gestures.h"

#include "app/card_commands.h"
#include "app/main_frame.h"
#include "model/calibration.h"
#include "card/calibration_dialog.h"
#include "card/calibration_flow.h"
#include "monkey_rig.h"
#include "services/command_ids.h"
#include "services/settings.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest/QTest>

#include <iterator>
#include <string>

namespace zembra::monkey {

namespace {

// The machine running the exerciser has no printer: these stand in for the ones a user has.
const char* const kPrinters[] = {"Monkey Laser", "Monkey Inkjet/Photo", "\\\\server\\Monkey 3"};

QString RandomPrinter(MonkeyRig& rig)
{
    return QString::fromUtf8(kPrinters[rig.dice().below(static_cast<int>(std::size(kPrinters)))]);
}

// What a person types for a measured length: mostly a reading of the ruler, sometimes a slip.
QString RandomLength(MonkeyRig& rig, double nominal)
{
    constexpr const char* kSlips[] = {"", "abc", "98,5", "1e2", "-5", "0", "99999999999999999999", " 60 mm", "7..5"};
    if (rig.dice().percent(25)) {
        return QString::fromUtf8(kSlips[rig.dice().below(static_cast<int>(std::size(kSlips)))]);
    }
    // From well outside the accepted range to well inside it, in hundredths.
    const double mm = nominal * rig.dice().between(70, 130) / 100.0 + rig.dice().between(0, 99) / 100.0;
    return QString::number(mm, 'f', rig.dice().between(0, 2));
}

// The dialog as a person uses it: keys into the two fields, then a button; a refused entry keeps
// the dialog open, and the person then tries again or gives up.
void TypeLengths(MonkeyRig& rig, CalibrationFlow& flow)
{
    const QString printer = RandomPrinter(rig);
    CalibrationDialog dialog(printer, settings::LoadCalibration(printer), &rig.frame());
    dialog.show();
    const int tries = rig.dice().between(1, 3);
    for (int i = 0; i < tries && dialog.isVisible(); ++i) {
        for (QLineEdit* edit : {dialog.alongEdit(), dialog.acrossEdit()}) {
            if (rig.dice().percent(80)) {
                edit->selectAll();
                QTest::keyClicks(edit, RandomLength(rig, edit == dialog.alongEdit() ? calibration::kAlongRulerMm
                                                                                     : calibration::kAcrossRulerMm));
            }
        }
        const char* button = rig.dice().percent(75) ? "ok" : (rig.dice().percent(50) ? "forget" : "cancel");
        auto* push = dialog.findChild<QPushButton*>(QString::fromLatin1(button));
        rig.Note("lengths " + dialog.alongEdit()->text().toStdString() + " / " + dialog.acrossEdit()->text().toStdString() +
                 " for " + printer.toStdString() + ", " + button);
        if (push != nullptr && push->isEnabled()) {
            QTest::mouseClick(push, Qt::LeftButton);
        }
        rig.Pump(0);
    }
    if (dialog.isVisible()) {
        dialog.reject();
    }
    if (dialog.result() == QDialog::Accepted) {
        flow.Apply(dialog);
    }
}

} // namespace

void Calibration(MonkeyRig& rig)
{
    CalibrationFlow& flow = rig.frame().cardCommands().calibration();
    switch (rig.dice().below(4)) {
    case 0:
        // A page for real, into the run's PDF.
        rig.AllowLongStep();
        rig.RunCommand(cmd::kPrintCalibration);
        break;
    case 1:
        rig.RunCommand(cmd::kCalibrationLengths);
        break;
    case 2: {
        const QString printer = RandomPrinter(rig);
        rig.Note("lengths dialog for " + printer.toStdString());
        flow.EnterLengths(printer);
        break;
    }
    default:
        TypeLengths(rig, flow);
        break;
    }
    // Whatever was typed, only factors in range are ever kept.
    for (const char* name : kPrinters) {
        const CalibrationFactors kept = settings::LoadCalibration(QString::fromUtf8(name));
        if (!CalibrationFactorInRange(kept.along) || !CalibrationFactorInRange(kept.across)) {
            rig.Fail(std::string("a calibration out of range was kept for ") + name);
        }
    }
}

} // namespace zembra::monkey
