#include "card/card_job.h"

#include "card/rest_strips.h"

#include "text/string_ids.h"
#include "text/strings.h"
#include "services/paint_device_metrics.h"
#include "services/qt_text.h"

#include <QPainter>
#include <QPagedPaintDevice>

#include <algorithm>

namespace zembra {

bool CardJob::Begin(const PrintMetrics& metrics, const SongState& song, int startX, const CardLook& look)
{
    m_metrics = metrics;
    m_barLengthMm = song.barLengthMm;
    const LayoutResult result = LayOutCard(song, metrics);
    m_layout = result.layout;
    m_problem = result.problem;
    m_list = BuildPrintList(song, startX);
    m_painter.reset();
    m_geometry = std::make_unique<CardGeometry>(song, metrics, m_layout);
    if (m_problem != LayoutProblem::None) {
        return false;
    }
    // A card of many strips cut in its rests; one fitted strip has no cut to make.
    if (CutsInRests(look.assembly) && m_layout.barsPerStrip > 0) {
        const RestCuts cuts = RestCutsOfSong(song, *m_geometry, m_list, look.assembly);
        if (!cuts.ok) {
            m_problem = LayoutProblem::NoRestToCut;
            m_stuckBar = cuts.stuckBar;
            return false;
        }
        UseCuts(*m_geometry, m_list, cuts);
        m_layout = m_geometry->layout();
    }
    m_painter = std::make_unique<CardPainter>(song, *m_geometry, m_list, look);
    return true;
}

bool CardJob::Begin(const QPaintDevice& device, const SongState& song, int startX, const CardLook& look)
{
    return Begin(MetricsOfDevice(device), song, startX, look);
}

QString CardJob::problemText() const
{
    switch (m_problem) {
    case LayoutProblem::None:
        return {};
    case LayoutProblem::NoMetrics:
        return TextOf(str::kCardNoPaperSize);
    case LayoutProblem::BarTooLong:
        return TextOf(str::kCardBarTooLong)
            .arg(m_barLengthMm, 0, 'f', 0)
            .arg(m_metrics.printableWidthMm(), 0, 'f', 1);
    case LayoutProblem::NoRestToCut:
        return m_stuckBar > 0 ? TextOf(str::kCardNoRestToCut).arg(m_stuckBar) : TextOf(str::kCardLoopNoSeam);
    }
    return {};
}

void CardJob::setCountMarks(bool count)
{
    if (m_painter) {
        m_painter->setCountMarks(count);
    }
}

void CardJob::setReadBack(const QImage* image)
{
    if (m_painter) {
        m_painter->setReadBack(image);
    }
}

void CardJob::PaintPage(QPainter& painter, int page)
{
    if (m_painter && page >= 1 && page <= m_layout.pageCount) {
        m_painter->PaintPage(painter, page);
    }
}

CardLook LookOfSong(const SongState& song, const QImage* background, const QColor& textColour)
{
    CardLook look;
    look.background = background;
    look.textColour = textColour;
    look.title = QString::fromStdString(song.title);
    const QString author = QString::fromStdString(song.author);
    // Either table's "no author" text means there is none, whatever the language now.
    if (author != Utf8(text(str::kNoAuthor, Language::Japanese)) && author != Utf8(text(str::kNoAuthor, Language::English))) {
        look.author = author;
    }
    return look;
}

bool PaintJobPages(CardJob& job, QPagedPaintDevice& device, int from, int to)
{
    const int last = job.pageCount();
    const int first = std::clamp(from <= 0 ? 1 : from, 1, std::max(1, last));
    const int end = to <= 0 ? last : std::min(to, last);
    QPainter painter;
    if (!painter.begin(&device)) {
        return false;
    }
    for (int page = first; page <= end; ++page) {
        if (page > first) {
            device.newPage();
        }
        job.PaintPage(painter, page);
    }
    return painter.end();
}

} // namespace zembra
