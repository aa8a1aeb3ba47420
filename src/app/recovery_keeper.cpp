#include "app/recovery_keeper.h"

#include "app/recovery_folder.h"
#include "canvas/kelp_view.h"
#include "midi/midi_file.h"
#include "midi/midi_track.h"
#include "document/kelp_doc.h"
#include "document/song_file_save.h"
#include "text/string_ids.h"
#include "services/file_name.h"
#include "services/prompts.h"
#include "services/qt_text.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <chrono>

namespace zembra {

RecoveryKeeper::RecoveryKeeper(CKelpDoc& doc, CKelpView& view, RecoveryFolder& folder, QObject* parent)
    : QObject(parent)
    , m_doc(doc)
    , m_view(view)
    , m_folder(folder)
    , m_file(std::make_unique<MidiFile>())
    , m_track(std::make_unique<MidiTrack>())
{
    m_timer.setSingleShot(true);
    // A coarse timer may fire a little early, when the rule would find nothing due yet.
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &RecoveryKeeper::OnTimer);
    connect(&view, &CKelpView::stateChanged, this, &RecoveryKeeper::OnStateChanged);
    connect(&view, &CKelpView::songEdited, this, &RecoveryKeeper::OnSongEdited);
    m_sinceWrite.start();
    OnStateChanged();
}

RecoveryKeeper::~RecoveryKeeper()
{
    Discard();
}

void RecoveryKeeper::OnStateChanged()
{
    const bool unsaved = m_view.modified();
    if (unsaved == m_unsaved) {
        return;
    }
    m_unsaved = unsaved;
    if (!unsaved) {
        Discard();
        return;
    }
    m_sinceWrite.restart();
    m_edits = 0;
}

void RecoveryKeeper::OnSongEdited()
{
    // The edit may be the one that made the song unsaved.
    OnStateChanged();
    if (!m_unsaved) {
        return;
    }
    ++m_edits;
    if (RecoveryWriteDue(facts(), m_limits)) {
        // Written when the gesture that made the edit has returned to the event loop.
        m_timer.start(0);
    } else if (!m_timer.isActive()) {
        Reschedule();
    }
}

void RecoveryKeeper::OnTimer()
{
    if (RecoveryWriteDue(facts(), m_limits)) {
        Write();
    }
    Reschedule();
}

RecoveryFacts RecoveryKeeper::facts() const
{
    return {m_unsaved, std::chrono::milliseconds(m_sinceWrite.elapsed()), m_edits};
}

void RecoveryKeeper::Reschedule()
{
    // Without an edit since the last point there is nothing to wait for: the next edit wakes it.
    if (!m_unsaved || m_edits == 0) {
        m_timer.stop();
        return;
    }
    const auto left = m_limits.interval - std::chrono::milliseconds(m_sinceWrite.elapsed());
    m_timer.start(std::max(left, std::chrono::milliseconds(0)));
}

bool RecoveryKeeper::WriteNow()
{
    OnStateChanged();
    if (!m_unsaved) {
        return true;
    }
    const bool written = Write();
    Reschedule();
    return written;
}

void RecoveryKeeper::Discard()
{
    m_timer.stop();
    m_edits = 0;
    m_folder.RemoveOwn();
}

bool RecoveryKeeper::Write()
{
    // A failed write waits as long as a new point would before it is tried again.
    m_sinceWrite.restart();
    m_edits = 0;
    const QString path = m_folder.songPath();
    if (path.isEmpty()) {
        ReportFailure(QDir::toNativeSeparators(m_folder.path()));
        return false;
    }
    const SongState& song = m_view.song();
    if (song.noteCount <= 0) {
        m_folder.RemoveOwn(); // a song without notes has nothing to restore
        return true;
    }
    SongWriteResult result;
    try {
        result = SaveSongFile(*m_file, *m_track, song, song.title, m_doc.clockTempo(),
                              FileNameBytes(path));
    } catch (...) {
        result.status = SongWriteStatus::NotWritten;
        result.detail = "out of memory";
    }
    if (result.status != SongWriteStatus::Written) {
        ReportFailure(QDir::toNativeSeparators(path) + '\n' + Utf8(result.detail));
        return false;
    }
    const QString title = song.title.empty() ? m_doc.title() : Utf8(song.title);
    if (!m_folder.WriteOrigin({m_doc.filePath(), m_doc.ownFile(), title})) {
        ReportFailure(QDir::toNativeSeparators(m_folder.path()));
        return false;
    }
    m_failureShown = false;
    emit written(path);
    return true;
}

void RecoveryKeeper::ReportFailure(const QString& reason)
{
    if (m_failureShown) {
        return;
    }
    m_failureShown = true;
    prompts().message(m_view.window(), TextOf(str::kRecoveryNotKept).arg(reason), QString(), Prompts::Icon::Warning);
}

} // namespace zembra
