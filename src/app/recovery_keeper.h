#pragma once

#include "document/recovery_rule.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

#include <memory>

namespace zembra {

class CKelpDoc;
class CKelpView;
class MidiFile;
class MidiTrack;
class RecoveryFolder;

// Keeps the song with unsaved changes in the recovery folder, written as Save writes it, so that
// a crash costs at most the work of the last minute or of the last 50 edits; removes it when
// nothing unsaved is left (saved, replaced by another song, or the window closed).
class RecoveryKeeper : public QObject {
    Q_OBJECT

public:
    RecoveryKeeper(CKelpDoc& doc, CKelpView& view, RecoveryFolder& folder, QObject* parent = nullptr);
    // An orderly end is no crash: the user was asked about the changes when the window closed.
    ~RecoveryKeeper() override;

    void setLimits(const RecoveryLimits& limits) { m_limits = limits; }
    // Writes a recovery point at once when the song has unsaved changes; false when it failed.
    bool WriteNow();
    // The unsaved changes are no longer wanted or no longer at risk: the recovery point goes.
    void Discard();

signals:
    void written(const QString& path);

private:
    void OnStateChanged();
    void OnSongEdited();
    void OnTimer();
    RecoveryFacts facts() const;
    void Reschedule();
    bool Write();
    void ReportFailure(const QString& reason);

    CKelpDoc& m_doc;
    CKelpView& m_view;
    RecoveryFolder& m_folder;
    RecoveryLimits m_limits;
    QTimer m_timer;
    QElapsedTimer m_sinceWrite;
    int m_edits = 0;
    bool m_unsaved = false;
    // One message for a run of failed writes, not one a minute.
    bool m_failureShown = false;
    // Its own file and track: the document's song track may be playing.
    std::unique_ptr<MidiFile> m_file;
    std::unique_ptr<MidiTrack> m_track;
};

} // namespace zembra
