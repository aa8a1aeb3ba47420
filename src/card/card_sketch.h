#pragma once

#include "card/card_layout.h"
#include "model/assembly_choices.h"
#include "model/song_state.h"

#include <QColor>
#include <QImage>
#include <QString>
#include <QWidget>

#include <functional>
#include <vector>

namespace zembra {

// What the sketch shows besides the song: the print settings as they stand in the dialog.
struct SketchLook {
    PrintOptions options{0, 0, 0, 0, 0, 0, 0, 0, 0};
    AssemblyChoices assembly;
    int barLengthMm = 0;
    QColor textColour;
    const QImage* background = nullptr; // none when null or empty
    QString printerName;                 // for the count of strips; empty for PDF output
};

// The print settings' schematic card: the band of rows with its ruling and bar lines, the song's
// first bars with their holes (marked as the card marks them), the feed arrow, the title and the
// author, and the first strip's number; it follows the settings as they change. The rows fill a
// band of fixed height, three pixels a millimetre along the card.
class CardSketch : public QWidget {
    Q_OBJECT

public:
    static constexpr int kHeight = 221;
    static constexpr int kMinimumWidth = 500;

    // `startX`: the playback start, before which notes are left off the card. `look` is asked at
    // every painting.
    CardSketch(const SongState& song, int startX, std::function<SketchLook()> look, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void PaintBackground(QPainter& painter, const SketchLook& look);
    void PaintRuling(QPainter& painter, const SketchLook& look);
    void PaintHoles(QPainter& painter, const SketchLook& look);
    void PaintArrow(QPainter& painter, const SketchLook& look);
    void PaintTitleBlock(QPainter& painter, const SketchLook& look);
    void PaintStripNumber(QPainter& painter, const SketchLook& look);
    void PaintBarNumbers(QPainter& painter, const SketchLook& look);
    int BarPixels(const SketchLook& look) const;

    const SongState& m_song;
    std::vector<PrintNote> m_list;
    std::function<SketchLook()> m_look;
};

} // namespace zembra
