#pragma once

#include "import/arrange_import.h"
#include "import/arrange_offer.h"

#include <QWidget>

#include <vector>

class QComboBox;
class QSpinBox;

namespace zembra {

// The two choices of an arrangement besides the import settings: the melody track (the file's
// tracks with their names and note counts, drums left out) and the chord limit.
class ArrangeFields : public QWidget {
    Q_OBJECT

public:
    // `preselected` is the track the list starts on (the default melody track); -1: the first.
    ArrangeFields(const std::vector<MelodyTrackChoice>& tracks, int preselected, int maxChord,
                  QWidget* parent = nullptr);

    // The chosen melody track and chord limit; the transposition is left to the arranger.
    ArrangeChoices choices() const;
    bool hasTracks() const;

private:
    std::vector<MelodyTrackChoice> m_tracks;
    QComboBox* m_melody = nullptr;
    QSpinBox* m_chord = nullptr;
};

} // namespace zembra
