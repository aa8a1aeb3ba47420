#pragma once

#include <QString>

class QImage;
class QWidget;

namespace zembra {

struct SongState;

// What printing needs from the rest of the program: the song and its playback start from the
// canvas, the background picture from the document, the window that owns the messages.
class CardHost {
public:
    virtual ~CardHost() = default;

    virtual SongState& song() = 0;
    virtual int playbackStartX() const = 0;
    virtual QWidget* window() const = 0;

    virtual QString imagePath() const = 0;
    virtual void setImagePath(const QString& path) = 0;
    // Loads the picture at `path` as the background; false (after telling the user) when it
    // cannot be read.
    virtual bool loadImage(const QString& path) = 0;
    virtual void releaseImage() = 0;
    virtual const QImage* background() const = 0;

    // The main window stays open while a preview is shown.
    virtual void setPreviewShown(bool shown) = 0;
    // The song's print settings changed: the canvas shows them (bar length, check count).
    virtual void songChanged() = 0;
};

} // namespace zembra
