#include "card/cutter_export_dialog.h"

#include "card/cutter_file.h"
#include "text/string_ids.h"
#include "services/prompts.h"
#include "services/qt_text.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace zembra {

namespace {

constexpr double kHoleStepMm = 0.1;
constexpr double kKerfStepMm = 0.05;
constexpr int kDecimals = 2;
// The kerf stays this much below the hole, so that a hole is always left to cut.
constexpr double kSmallestHoleLeftMm = 0.05;

QDoubleSpinBox* sizeBox(const char* name, double low, double high, double step, double value)
{
    auto* box = new QDoubleSpinBox;
    box->setObjectName(QLatin1String(name));
    box->setDecimals(kDecimals);
    box->setRange(low, high);
    box->setSingleStep(step);
    box->setValue(value);
    return box;
}

} // namespace

CutterExportDialog::CutterExportDialog(const CutterOptions& options, QWidget* parent, double rowPitchMm)
    : QDialog(parent)
    , m_options(options)
    , m_rowPitchMm(rowPitchMm)
{
    setObjectName(QStringLiteral("CutterExportDialog"));
    setWindowTitle(TextOf(str::kCutterCaption));

    m_format = new QComboBox;
    m_format->setObjectName(QStringLiteral("format"));
    m_format->addItem(QStringLiteral("SVG"), static_cast<int>(CutterFormat::Svg));
    m_format->addItem(QStringLiteral("DXF"), static_cast<int>(CutterFormat::Dxf));
    m_format->setCurrentIndex(options.format == CutterFormat::Dxf ? 1 : 0);

    m_hole = sizeBox("holeMm", cutter::kMinHoleMm, cutter::kMaxHoleMm, kHoleStepMm, options.holeMm);
    m_kerf = sizeBox("kerfMm", 0.0, cutter::kMaxKerfMm, kKerfStepMm, options.kerfMm);
    LimitKerf();
    connect(m_hole, &QDoubleSpinBox::valueChanged, this, &CutterExportDialog::LimitKerf);

    m_layout = new QComboBox;
    m_layout->setObjectName(QStringLiteral("layout"));
    m_layout->addItem(TextOf(str::kCutterLayoutPages), static_cast<int>(CutterLayout::Pages));
    m_layout->addItem(TextOf(str::kCutterLayoutStrips), static_cast<int>(CutterLayout::Strips));
    m_layout->setCurrentIndex(options.layout == CutterLayout::Strips ? 1 : 0);

    m_engrave = new QCheckBox(TextOf(str::kCutterEngrave));
    m_engrave->setObjectName(QStringLiteral("engrave"));
    m_engrave->setChecked(options.engrave);

    auto* form = new QFormLayout;
    form->addRow(TextOf(str::kCutterFormat), m_format);
    form->addRow(TextOf(str::kCutterHole), m_hole);
    form->addRow(TextOf(str::kCutterKerf), m_kerf);
    form->addRow(TextOf(str::kCutterLayout), m_layout);
    form->addRow(m_engrave);

    auto* note = new QLabel(TextOf(str::kCutterPrintSettings));
    note->setWordWrap(true);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setText(TextOf(str::kCutterExport));
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("export"));
    buttons->button(QDialogButtonBox::Cancel)->setText(TextOf(str::kPrintCancel));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(note);
    layout->addWidget(buttons);
}

void CutterExportDialog::accept()
{
    if (!HoleLeavesCardBetweenRows(m_hole->value(), m_rowPitchMm)) {
        prompts().message(this, HoleTooLargeText(m_hole->value(), m_rowPitchMm), windowTitle(),
                          Prompts::Icon::Warning);
        m_hole->setFocus();
        return;
    }
    QDialog::accept();
}

void CutterExportDialog::LimitKerf()
{
    m_kerf->setMaximum(std::min(cutter::kMaxKerfMm, m_hole->value() - kSmallestHoleLeftMm));
}

CutterOptions CutterExportDialog::options() const
{
    CutterOptions options = m_options;
    options.format = static_cast<CutterFormat>(m_format->currentData().toInt());
    options.holeMm = m_hole->value();
    options.kerfMm = m_kerf->value();
    options.layout = static_cast<CutterLayout>(m_layout->currentData().toInt());
    options.engrave = m_engrave->isChecked();
    return options;
}

} // namespace zembra
