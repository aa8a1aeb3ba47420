#include "app/recovery_offer.h"

#include "app/recovery_folder.h"
#include "app/recovery_keeper.h"
#include "import/default_import.h"
#include "canvas/kelp_view.h"
#include "midi/sync_clock.h"
#include "import/imported_file.h"
#include "document/kelp_doc.h"
#include "document/song_file_box.h"
#include "text/string_ids.h"
#include "services/file_name.h"
#include "services/prompts.h"
#include "services/qt_text.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdint>
#include <vector>

namespace zembra {

namespace {

// Places the kept song on the canvas as opening the saved file would with its settings
// confirmed unchanged. False with the reason when the file cannot be read whole.
bool Restore(const RecoveryFolder::Kept& kept, CKelpDoc& doc, CKelpView& view, QString* reason)
{
    ImportedFile file;
    switch (file.ReadWhole(FileNameBytes(kept.songPath))) {
    case ImportedFile::Whole::Read:
        break;
    case ImportedFile::Whole::CannotOpen:
        *reason = Utf8(file.errorText());
        return false;
    case ImportedFile::Whole::OutOfMemory:
        *reason = QStringLiteral("out of memory");
        return false;
    case ImportedFile::Whole::Damaged:
        *reason = Utf8(file.damage());
        return false;
    case ImportedFile::Whole::NoTracks:
        *reason = QDir::toNativeSeparators(kept.songPath);
        return false;
    }
    const std::vector<const MidiTrack*> tracks = file.tracks();
    const QString& origin = kept.origin.filePath;
    const QString fileTitle = origin.isEmpty() ? TextOf(str::kUntitled) : QFileInfo(origin).completeBaseName();
    view.ResetSong();
    UseSongFileBox(FileNameBytes(kept.songPath), view.song());
    ImportChoices choices;
    // The kept pitches are those the song had: any transposition would move them.
    choices.transposition = 0;
    ImportWithDefaults(view.song(), tracks, file.Facts(fileTitle.toStdString()), choices);
    view.edits().RestartUndo();
    view.UpdateScrollSizes();
    view.edits().setModified(true);
    const double tempo = view.song().tempo;
    if (SyncClock* clock = view.playback().clock()) {
        clock->SetTempo(static_cast<std::uint32_t>(tempo));
    }
    doc.setTempo(tempo);
    doc.AdoptRestoredFile(origin, kept.origin.ownFile);
    view.Repaint();
    return true;
}

} // namespace

bool OfferRecovery(RecoveryFolder& folder, RecoveryKeeper& keeper, CKelpDoc& doc, CKelpView& view, QWidget* parent)
{
    std::vector<RecoveryFolder::Kept> left = folder.LeftBehind();
    for (RecoveryFolder::Kept& kept : left) {
        const QString title = kept.origin.title.isEmpty() ? TextOf(str::kUntitled) : kept.origin.title;
        const QString when = kept.written.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        const Prompts::Answer answer = prompts().ask(parent, TextOf(str::kRecoveryOffer).arg(title, when), QString(),
                                                     Prompts::Buttons::YesNo, Prompts::Answer::Yes,
                                                     Prompts::Icon::Question);
        if (answer != Prompts::Answer::Yes) {
            folder.Remove(kept);
            continue;
        }
        QString reason;
        if (!Restore(kept, doc, view, &reason)) {
            prompts().message(parent, TextOf(str::kRecoveryUnreadable).arg(reason), QString(), Prompts::Icon::Warning);
            folder.Remove(kept);
            continue;
        }
        // Kept again under this program before the copy left behind goes, so that a crash in
        // between still finds one of them.
        if (keeper.WriteNow()) {
            folder.Remove(kept);
        }
        return true;
    }
    return false;
}

} // namespace zembra
