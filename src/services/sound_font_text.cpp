#include "services/sound_font_text.h"

#include "text/string_ids.h"
#include "services/qt_text.h"

namespace zembra {

QString SoundFontMessage(int noneFoundId, const std::string& path, SoundFontProblem problem, const std::string& detail)
{
    QString reason;
    switch (problem) {
    case SoundFontProblem::None:
    case SoundFontProblem::NoneFound:
        return TextOf(noneFoundId);
    case SoundFontProblem::Missing:
        reason = TextOf(str::kNoSuchFile);
        break;
    case SoundFontProblem::NotAFile:
        reason = TextOf(str::kNotRegularFile);
        break;
    case SoundFontProblem::Unreadable:
        reason = TextOf(str::kFileNotOpened);
        break;
    case SoundFontProblem::NotSoundFont:
        reason = TextOf(str::kSoundFontNotRiff);
        break;
    case SoundFontProblem::NotLoaded:
        reason = TextOf(str::kSoundFontNotLoaded).arg(Printable(Utf8(detail)));
        break;
    }
    return TextOf(str::kSoundFontUnusable).arg(Printable(Utf8(path))) + '\n' + reason;
}

} // namespace zembra
