#pragma once

#include "import/arrange_import.h"
#include "import/arrange_offer.h"

#include <QWidget>

#include <functional>
#include <optional>
#include <vector>

class QLabel;
class QPushButton;

namespace zembra {

class ArrangeFields;

// The import settings' arrangement for the box: the melody track, the chord limit, the button
// that arranges the file onto the canvas, what the arrangement kept and its list of changes.
class ArrangePanel : public QWidget {
    Q_OBJECT

public:
    // Arranges under the dialog's current settings and places the result on the canvas.
    using Runner = std::function<ArrangeOutcome(const ArrangeChoices& choices)>;

    ArrangePanel(Runner runner, const std::vector<MelodyTrackChoice>& tracks, int defaultTrack,
                 QWidget* parent = nullptr);

    // The choices of the last arrangement; none before the button was pressed.
    const std::optional<ArrangeChoices>& arranged() const { return m_arranged; }
    const std::optional<ArrangeOutcome>& outcome() const { return m_outcome; }
    // The settings changed under an arrangement: it is made again with the same choices.
    void Refresh();

    // Arranges with the fields' choices.
    void Arrange();
    // Shows the list of changes of the last arrangement.
    void ShowChanges();

signals:
    void arrangedNow(const ArrangeOutcome& outcome);

private:
    void run(const ArrangeChoices& choices);

    Runner m_runner;
    ArrangeFields* m_fields = nullptr;
    QPushButton* m_arrange = nullptr;
    QPushButton* m_changes = nullptr;
    QLabel* m_summary = nullptr;
    std::optional<ArrangeChoices> m_arranged;
    std::optional<ArrangeOutcome> m_outcome;
};

} // namespace zembra
