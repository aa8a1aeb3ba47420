#pragma once

#include "import/arrange_import.h"
#include "import/arrange_offer.h"

#include <optional>

namespace zembra {

class CKelpView;

// Arranging the imported file for the box on the canvas: the notes the import read are kept
// while the file's song stands on the canvas, so that Edit > Arrange again can arrange them once
// more with another melody track or chord limit. Each arrangement is one undo step.
class ArrangeController {
public:
    explicit ArrangeController(CKelpView& view);

    // The file's notes as the import read them; the song on the canvas came from them.
    void Keep(ArrangeSource source);
    // Another song took the canvas.
    void Forget();
    bool kept() const { return !m_source.empty(); }
    const ArrangeSource& source() const { return m_source; }

    // Arranges the kept notes onto the song as one undo step.
    ArrangeOutcome ArrangeKept(const ArrangeChoices& choices);
    // Edit > Arrange again: asks for the choices, arranges and shows the list of changes. False
    // when nothing is kept or the user cancelled.
    bool ArrangeAgain();

private:
    CKelpView& m_view;
    ArrangeSource m_source;
    std::optional<ArrangeChoices> m_last;
};

} // namespace zembra
