#pragma once

#include "card/card_geometry.h"
#include "card/card_layout.h"
#include "card/card_painter.h"
#include "model/print_metrics.h"
#include "model/song_state.h"

#include <QString>

#include <memory>
#include <optional>
#include <vector>

class QImage;
class QPaintDevice;
class QPainter;
class QPagedPaintDevice;

namespace zembra {

// One print job, preview or export of the card: measures the device, lays the card out from the
// song as it is at the start and paints its pages. The song must outlive the job.
class CardJob {
public:
    // False when the card cannot be laid out on this device; problemText() says why.
    bool Begin(const PrintMetrics& metrics, const SongState& song, int startX, const CardLook& look);
    bool Begin(const QPaintDevice& device, const SongState& song, int startX, const CardLook& look);

    const PrintMetrics& metrics() const { return m_metrics; }
    const CardLayout& layout() const { return m_layout; }
    LayoutProblem problem() const { return m_problem; }
    QString problemText() const;
    int pageCount() const { return m_layout.pageCount; }
    // Notes that belong on the card: the live notes from the playback start on.
    int cardNotes() const { return static_cast<int>(m_list.size()) - 1; }
    const std::vector<PrintNote>& printList() const { return m_list; }
    const CardGeometry& geometry() const { return *m_geometry; }

    void setCountMarks(bool count);
    void setReadBack(const QImage* image);
    void PaintPage(QPainter& painter, int page);
    int marksDrawn() const { return m_painter ? m_painter->marksDrawn() : 0; }
    bool drawFailed() const { return m_painter && m_painter->drawFailed(); }

private:
    PrintMetrics m_metrics;
    CardLayout m_layout;
    LayoutProblem m_problem = LayoutProblem::NoMetrics;
    double m_barLengthMm = 0;
    int m_stuckBar = 0;
    std::vector<PrintNote> m_list;
    std::unique_ptr<CardGeometry> m_geometry;
    std::unique_ptr<CardPainter> m_painter;
};

// The title block's texts for a song: its title, and its author unless it is the "no author" text.
CardLook LookOfSong(const SongState& song, const QImage* background, const QColor& textColour);

// Paints pages `from` to `to` (1-based, 0 for the last) of a begun job onto a printer or a PDF
// writer, one sheet each. False when the device could not be started or finished.
bool PaintJobPages(CardJob& job, QPagedPaintDevice& device, int from = 1, int to = 0);

} // namespace zembra
