#include "midi/sound_font_check.h"

#include <filesystem>
#include <fstream>

namespace zembra {

bool IsSoundFontHeader(std::string_view head)
{
    if (head.size() < kRiffHeaderBytes || head.substr(0, 4) != "RIFF") {
        return false;
    }
    const std::string_view form = head.substr(8, 4);
    return form == "sfbk" || form == "DLS ";
}

SoundFontProblem CheckSoundFont(const std::string& path)
{
    if (path.empty()) {
        return SoundFontProblem::NoneFound;
    }
    std::error_code ec;
    const std::filesystem::file_status status = std::filesystem::status(path, ec);
    if (!std::filesystem::exists(status)) {
        return SoundFontProblem::Missing;
    }
    // Checked before opening: opening a FIFO waits for a writer that may never come.
    if (!std::filesystem::is_regular_file(status)) {
        return SoundFontProblem::NotAFile;
    }
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return SoundFontProblem::Unreadable;
    }
    char head[kRiffHeaderBytes] = {};
    file.read(head, sizeof head);
    const auto got = static_cast<std::size_t>(file.gcount());
    return IsSoundFontHeader(std::string_view(head, got)) ? SoundFontProblem::None : SoundFontProblem::NotSoundFont;
}

} // namespace zembra
