#pragma once

#include "card/cutter_options.h"

namespace zembra {

class CardHost;

// File > Export Card for Cutter: the cutter dialog, then the file chooser, then the file. The
// song and the canvas stay as they are; a failure is a message.
class CutterExportFlow {
public:
    explicit CutterExportFlow(CardHost& host);

    void ExportCommand();

    // What the dialog offers next time: the choices of the last export.
    const CutterOptions& choices() const { return m_choices; }


private:
    CardHost& m_host;
    CutterOptions m_choices;
};

} // namespace zembra
