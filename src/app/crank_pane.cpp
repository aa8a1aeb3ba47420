#include "app/crank_pane.h"

#include "canvas/kelp_view.h"
#include "services/crank_text.h"
#include "services/paint_device_metrics.h"
#include "services/qt_text.h"
#include "text/string_ids.h"

#include <QEvent>

namespace zembra {

namespace {

bool SameFigures(const CrankFigures& a, const CrankFigures& b)
{
    return a.valid == b.valid && a.turnsPerMinute == b.turnsPerMinute && a.playingSeconds == b.playingSeconds &&
           a.cardLengthM == b.cardLengthM && a.tooFast == b.tooFast;
}

} // namespace

CrankPane::CrankPane(CKelpView& view, QWidget* parent)
    : QLabel(parent)
    , m_view(view)
{
    setObjectName(QStringLiteral("crankPane"));
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Sunken);
    setAlignment(Qt::AlignCenter);
    setAccessibleName(TextOf(str::kCrankPaneName));
    // Every change of the song ends in a repaint of the canvas; the figures are read just before it.
    m_view.viewport()->installEventFilter(this);
    connect(&m_view, &CKelpView::stateChanged, this, &CrankPane::Follow);
    connect(&m_view, &CKelpView::songEdited, this, &CrankPane::Follow);
    Follow();
}

bool CrankPane::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Paint) {
        Follow();
    }
    return QLabel::eventFilter(watched, event);
}

void CrankPane::Follow()
{
    const SongState& song = m_view.song();
    const double barMm = PrintedBarMm(song, CheckMetrics(), song.barLengthMm, song.printOptions.fitSongToCard != 0);
    const CrankFigures figures = ComputeCrank(song, barMm);
    if (m_shown && SameFigures(figures, m_figures)) {
        return;
    }
    m_shown = true;
    m_figures = figures;
    setText(CrankPaneText(figures));
    setToolTip(TextOf(str::kCrankPaneTip).arg(QString::number(song.box.sizes.paperPerTurnMm, 'f', 2), CrankText(figures)));
    // Too fast for a hand: the pane says so in red.
    setStyleSheet(figures.tooFast ? QStringLiteral("color: #c00000;") : QString());
    setProperty("tooFast", figures.tooFast);
}

} // namespace zembra
