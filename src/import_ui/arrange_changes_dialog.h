#pragma once

#include "import/arranger.h"

#include <QDialog>

class QTableWidget;

namespace zembra {

// The list of what an arrangement changed: one row per note moved by an octave, replaced or
// dropped, with its bar and beat, its pitch before and after and the reason, under the summary;
// "Save as text..." writes the same list as the report text.
class ArrangeChangesDialog : public QDialog {
    Q_OBJECT

public:
    ArrangeChangesDialog(const ArrangeResult& result, int resolution, int beatsPerBar, QWidget* parent = nullptr);

    // Asks for a file and writes the report there; false when cancelled or the write failed (the
    // failure is told, naming the file and why).
    bool SaveAsText();

private:
    ArrangeResult m_result;
    int m_resolution;
    int m_beatsPerBar;
    QTableWidget* m_table = nullptr;
};

} // namespace zembra
