#include "document/song_file_save.h"

#include "model/playback_list.h"
#include "midi/midi_track.h"
#include "model/song_state.h"
#include "services/music_box_file.h"
#include "text/string_ids.h"
#include "text/strings.h"

namespace zembra {

SongWriteResult SaveSongFile(MidiFile& file, MidiTrack& songTrack, const SongState& song, std::string_view title,
                             std::uint32_t tempo, const std::string& path)
{
    songTrack.SetName(text(str::kSongTrackName));
    if (!BuildSongTrack(songTrack, song, PlaybackRange{})) {
        SongWriteResult result;
        result.status = SongWriteStatus::NotWritten;
        result.detail = "the song track could not be built";
        return result;
    }
    SongFileHeader header = MakeSongFileHeader(song, title, tempo);
    if (song.box.id == kOwnBoxId) {
        header.boxDefinition = MusicBoxJson(song.box).toStdString();
    }
    return WriteSongFile(file, songTrack, path, header);
}

} // namespace zembra
