#pragma once

#include "import/arrange_import.h"
#include "import/arrange_offer.h"

#include <QDialog>

#include <vector>

namespace zembra {

class ArrangeFields;

// Edit > Arrange again: the melody track and the chord limit for arranging the imported file
// once more onto the song on the canvas.
class ArrangeAgainDialog : public QDialog {
    Q_OBJECT

public:
    ArrangeAgainDialog(const std::vector<MelodyTrackChoice>& tracks, const ArrangeChoices& opening,
                       QWidget* parent = nullptr);

    ArrangeChoices choices() const;

private:
    ArrangeFields* m_fields = nullptr;
};

} // namespace zembra
