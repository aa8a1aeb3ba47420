#pragma once

#include <QString>

class QWidget;

namespace zembra {

class CKelpView;

// File > Export Audio: the song as playback builds it, rendered through the built-in synthesizer
// into a 44.1 kHz stereo WAV file, with a progress dialog that can cancel.
class AudioExport {
public:
    // Asks for the file name, then exports. True when a file was written.
    static bool Run(CKelpView& view, QWidget* parent);
    // Exports to a chosen path; failures are told to the user through the prompts.
    static bool ExportTo(CKelpView& view, const QString& path, QWidget* parent);
};

} // namespace zembra
