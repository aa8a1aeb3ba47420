#pragma once

#include "import/track_list.h"

#include <QWidget>

#include <cstdint>
#include <vector>

class QTableWidget;

namespace zembra {

// The import settings' list of the file's tracks: number, name, channels and notes, with a check
// box each, so that a part can be left out of the counts, the fit and the canvas.
class ImportTrackList : public QWidget {
    Q_OBJECT

public:
    ImportTrackList(std::vector<TrackSummary> tracks, std::uint32_t leftOut, QWidget* parent = nullptr);

    // Bit i for each track i (in file order) without its tick.
    std::uint32_t leftOutTracks() const;

signals:
    void choiceChanged();

private:
    QTableWidget* m_table = nullptr;
};

} // namespace zembra
