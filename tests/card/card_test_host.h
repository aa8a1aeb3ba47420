#pragma once

#include "card/card_host.h"
#include "model/occupancy_grid.h"
#include "model/song_state.h"
#include "model/song_tidy.h"

#include <QImage>
#include <QString>

#include <memory>

namespace zembra {

// Stands in for the canvas and the document: a song, a playback start and a background picture.
class TestCardHost : public CardHost {
public:
    TestCardHost()
        : m_song(std::make_unique<SongState>())
    {
        m_song->ResetSong();
    }

    SongState& song() override { return *m_song; }
    int playbackStartX() const override { return startX; }
    QWidget* window() const override { return nullptr; }
    QString imagePath() const override { return path; }
    void setImagePath(const QString& p) override { path = p; }
    bool loadImage(const QString& p) override
    {
        image = QImage(p);
        return !image.isNull();
    }
    void releaseImage() override { image = QImage(); }
    const QImage* background() const override { return image.isNull() ? nullptr : &image; }
    void setPreviewShown(bool shown) override
    {
        previewShown = shown;
        previewSeen = previewSeen || shown;
    }
    void songChanged() override { ++changes; }

    // Places a note at canvas x on the row counted from the top, and tidies the song as a repaint
    // would (counts, music length).
    void note(int x, int rowFromTop)
    {
        const int slot = m_song->AllocateNote(x, kBandTop + rowFromTop * m_song->rowHeight);
        m_song->NormaliseNote(slot);
        ++m_song->noteCount;
        tidy();
    }
    void tidy() { TidySong(*m_song, m_grid); }

    int startX = 0;
    QString path;
    QImage image;
    bool previewShown = false;
    bool previewSeen = false;
    int changes = 0;

private:
    std::unique_ptr<SongState> m_song;
    OccupancyGrid m_grid;
};

} // namespace zembra
