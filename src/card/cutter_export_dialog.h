#pragma once

#include "card/cutter_options.h"
#include "model/card_constants.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;

namespace zembra {

// Asks how the card is to be cut: file format, hole diameter, kerf, layout and whether the
// engraving layer is filled. Everything else comes from the print settings. The hole must leave
// card between the box's rows, `rowPitchMm` apart.
class CutterExportDialog : public QDialog {
    Q_OBJECT

public:
    CutterExportDialog(const CutterOptions& options, QWidget* parent = nullptr,
                       double rowPitchMm = card::kRowPitchMm);

    // The options given, with the choices of the dialog.
    CutterOptions options() const;

    // Refuses a hole that leaves too little card between rows, with a message; the dialog stays.
    void accept() override;

private:
    void LimitKerf();

    CutterOptions m_options;
    double m_rowPitchMm;
    QComboBox* m_format = nullptr;
    QDoubleSpinBox* m_hole = nullptr;
    QDoubleSpinBox* m_kerf = nullptr;
    QComboBox* m_layout = nullptr;
    QCheckBox* m_engrave = nullptr;
};

} // namespace zembra
