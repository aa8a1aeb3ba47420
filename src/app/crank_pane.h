#pragma once

#include "model/crank.h"

#include <QLabel>

namespace zembra {

class CKelpView;

// The status bar pane of the crank: how fast it must turn to play the song at its tempo and bar
// length, the playing time and the card's length, with their meaning in the tool tip. Beyond a
// comfortable hand it says so and turns red. It follows every change the canvas paints (tempo,
// bar length, box, time signature, the notes).
class CrankPane : public QLabel {
    Q_OBJECT

public:
    CrankPane(CKelpView& view, QWidget* parent);

    const CrankFigures& figures() const { return m_figures; }
    // Reads the figures off the song again.
    void Follow();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    CKelpView& m_view;
    CrankFigures m_figures;
    bool m_shown = false;
};

} // namespace zembra
