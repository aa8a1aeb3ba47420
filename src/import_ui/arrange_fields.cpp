#include "import_ui/arrange_fields.h"

#include "services/qt_text.h"
#include "text/string_ids.h"

#include <QComboBox>
#include <QFormLayout>
#include <QSpinBox>

#include <algorithm>

namespace zembra {

ArrangeFields::ArrangeFields(const std::vector<MelodyTrackChoice>& tracks, int preselected, int maxChord,
                             QWidget* parent)
    : QWidget(parent)
    , m_tracks(tracks)
{
    m_melody = new QComboBox(this);
    m_melody->setObjectName(QStringLiteral("melodyTrack"));
    int current = 0;
    for (std::size_t i = 0; i < m_tracks.size(); ++i) {
        m_melody->addItem(Utf8(m_tracks[i].label), m_tracks[i].track);
        if (m_tracks[i].track == preselected) {
            current = static_cast<int>(i);
        }
    }
    m_melody->setCurrentIndex(m_tracks.empty() ? -1 : current);
    m_melody->setEnabled(!m_tracks.empty());

    m_chord = new QSpinBox(this);
    m_chord->setObjectName(QStringLiteral("chordLimit"));
    m_chord->setRange(kLowestChordLimit, kHighestChordLimit);
    m_chord->setValue(std::clamp(maxChord, kLowestChordLimit, kHighestChordLimit));

    auto* layout = new QFormLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addRow(TextOf(str::kArrangeMelodyLabel), m_melody);
    layout->addRow(TextOf(str::kArrangeChordLabel), m_chord);
}

ArrangeChoices ArrangeFields::choices() const
{
    ArrangeChoices choices;
    const int index = m_melody->currentIndex();
    choices.melodyTrack = index >= 0 ? m_melody->itemData(index).toInt() : -1;
    choices.maxChord = m_chord->value();
    return choices;
}

bool ArrangeFields::hasTracks() const
{
    return !m_tracks.empty();
}

} // namespace zembra
