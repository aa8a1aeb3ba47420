#pragma once

#include "card/cutter_options.h"
#include "model/music_box.h"

namespace zembra {

class CardHost;

// File > Export Card for Cutter: the cutter dialog, then the file chooser, then the file. The
// song and the canvas stay as they are; a failure is a message.
class CutterExportFlow {
public:
    explicit CutterExportFlow(CardHost& host);

    void ExportCommand();

    // What the dialog offers next time: the choices of the last export. Its hole is the one last
    // chosen while the song keeps the box it was chosen for; on another box, that box's own.
    const CutterOptions& choices() const { return m_choices; }

private:
    CardHost& m_host;
    CutterOptions m_choices;
    // The hole and the rows of the box the hole of m_choices belongs to.
    double m_boxHoleMm = DefaultBox().sizes.holeMm;
    double m_boxRowPitchMm = DefaultBox().sizes.rowPitchMm;
};

} // namespace zembra
