#include "card/calibration_dialog.h"

#include "text/string_ids.h"
#include "services/prompts.h"
#include "services/qt_text.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zembra {

namespace {

constexpr int kLengthDecimals = 2;
constexpr int kFactorDecimals = 4;

QString lengthText(double nominalMm, double factor)
{
    return QString::number(nominalMm / factor, 'f', kLengthDecimals);
}

} // namespace

QString CalibrationStatusText(const QString& printerName, const CalibrationFactors& factors)
{
    if (printerName.isEmpty()) {
        return TextOf(str::kCalibrationStatusPdf);
    }
    if (!factors.calibrated()) {
        return TextOf(str::kCalibrationStatusNone).arg(printerName);
    }
    return TextOf(str::kCalibrationStatusCalibrated)
        .arg(printerName)
        .arg(factors.along, 0, 'f', kFactorDecimals)
        .arg(factors.across, 0, 'f', kFactorDecimals);
}

QString CalibrationProblemText(const CalibrationResult& result)
{
    switch (result.problem) {
    case CalibrationProblem::None:
        return {};
    case CalibrationProblem::NotANumber:
        return TextOf(str::kCalibrationNotANumber);
    case CalibrationProblem::AlongOutOfRange:
    case CalibrationProblem::AcrossOutOfRange: {
        const double ruler = result.problem == CalibrationProblem::AlongOutOfRange ? calibration::kAlongRulerMm
                                                                                    : calibration::kAcrossRulerMm;
        return TextOf(str::kCalibrationOutOfRange)
            .arg(ruler, 0, 'f', 0)
            .arg(result.measuredMm, 0, 'f', kLengthDecimals)
            .arg(result.factor, 0, 'f', kFactorDecimals);
    }
    }
    return {};
}

CalibrationDialog::CalibrationDialog(const QString& printerName, const CalibrationFactors& current, QWidget* parent)
    : QDialog(parent)
    , m_printerName(printerName)
    , m_factors(current)
{
    setObjectName(QStringLiteral("CalibrationDialog"));
    setWindowTitle(TextOf(str::kCalibrationTitle));
    auto* layout = new QVBoxLayout(this);
    auto* advice = new QLabel(TextOf(str::kCalibrationAdvice), this);
    advice->setWordWrap(true);
    layout->addWidget(advice);
    auto* status = new QLabel(CalibrationStatusText(printerName, current), this);
    status->setObjectName(QStringLiteral("status"));
    status->setWordWrap(true);
    layout->addWidget(status);

    auto* form = new QFormLayout;
    m_along = new QLineEdit(lengthText(calibration::kAlongRulerMm, current.along), this);
    m_along->setObjectName(QStringLiteral("along"));
    m_across = new QLineEdit(lengthText(calibration::kAcrossRulerMm, current.across), this);
    m_across->setObjectName(QStringLiteral("across"));
    form->addRow(TextOf(str::kCalibrationAlongLabel), m_along);
    form->addRow(TextOf(str::kCalibrationAcrossLabel), m_across);
    layout->addLayout(form);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(TextOf(str::kCalibrationOk), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setDefault(true);
    QPushButton* cancel = buttons->addButton(TextOf(str::kCalibrationCancel), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("cancel"));
    QPushButton* forget = buttons->addButton(TextOf(str::kCalibrationForget), QDialogButtonBox::ResetRole);
    forget->setObjectName(QStringLiteral("forget"));
    forget->setEnabled(current.calibrated());
    connect(ok, &QPushButton::clicked, this, &CalibrationDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &CalibrationDialog::reject);
    connect(forget, &QPushButton::clicked, this, &CalibrationDialog::OnForget);
    layout->addWidget(buttons);
}

void CalibrationDialog::accept()
{
    const CalibrationResult result =
        CalibrationFromLengths(m_along->text().toStdString(), m_across->text().toStdString());
    if (result.problem != CalibrationProblem::None) {
        prompts().message(this, CalibrationProblemText(result), TextOf(str::kCalibrationTitle), Prompts::Icon::Warning);
        (result.problem == CalibrationProblem::AcrossOutOfRange ? m_across : m_along)->setFocus();
        return;
    }
    m_factors = result.factors;
    m_forget = false;
    QDialog::accept();
}

void CalibrationDialog::OnForget()
{
    m_forget = true;
    m_factors = {};
    QDialog::accept();
}

} // namespace zembra
