#include "app/card_commands.h"

#include "app/main_frame.h"
#include "canvas/kelp_view.h"
#include "document/kelp_doc.h"

namespace zembra {

CardCommands::CardCommands(CMainFrame& frame, CKelpView& view, CKelpDoc& doc)
    : m_frame(frame)
    , m_view(view)
    , m_doc(doc)
    , m_flow(*this)
    , m_cutter(*this)
    , m_calibration(*this)
{
}

SongState& CardCommands::song()
{
    return m_view.song();
}

int CardCommands::playbackStartX() const
{
    return m_view.playback().playbackStartX();
}

QWidget* CardCommands::window() const
{
    return &m_view;
}

QString CardCommands::imagePath() const
{
    return m_doc.imagePath();
}

void CardCommands::setImagePath(const QString& path)
{
    m_doc.setImagePath(path);
}

bool CardCommands::loadImage(const QString& path)
{
    return m_doc.LoadBackground(path);
}

void CardCommands::releaseImage()
{
    m_doc.ReleaseBackground();
}

const QImage* CardCommands::background() const
{
    return m_doc.background();
}

void CardCommands::setPreviewShown(bool shown)
{
    m_frame.setPrintPreviewShown(shown);
}

void CardCommands::songChanged()
{
    m_view.Repaint();
}

} // namespace zembra
