#pragma once

#include "model/calibration.h"

#include <QDialog>
#include <QString>

class QLabel;
class QLineEdit;

namespace zembra {

// Takes the two lengths measured on a printer's calibration strip and gives the factors they
// make. A length that is no number, or that gives a factor outside 0.8 to 1.2, is refused with a
// message and the dialog stays open. Forget closes it asking to drop the printer's calibration.
class CalibrationDialog : public QDialog {
    Q_OBJECT

public:
    // `current`: the factors kept for the printer now; its lengths are offered to start from.
    CalibrationDialog(const QString& printerName, const CalibrationFactors& current, QWidget* parent = nullptr);

    const QString& printerName() const { return m_printerName; }
    // After OK: the factors of the lengths typed in.
    const CalibrationFactors& factors() const { return m_factors; }
    bool forgetRequested() const { return m_forget; }
    QLineEdit* alongEdit() const { return m_along; }
    QLineEdit* acrossEdit() const { return m_across; }

    void accept() override;

private:
    void OnForget();

    QString m_printerName;
    CalibrationFactors m_factors;
    bool m_forget = false;
    QLineEdit* m_along = nullptr;
    QLineEdit* m_across = nullptr;
};

// The line that says whether the printer is calibrated, for a printer name (empty: PDF output).
QString CalibrationStatusText(const QString& printerName, const CalibrationFactors& factors);

// The message for a refused entry.
QString CalibrationProblemText(const CalibrationResult& result);

} // namespace zembra
