#include "app/kelp_app.h"

#include "app/frame_geometry.h"
#include "app/main_frame.h"
#include "app/outer_height_keeper.h"
#include "app/recovery_folder.h"
#include "app/recovery_keeper.h"
#include "app/recovery_offer.h"
#include "services/qt_text.h"
#include "services/app_identity.h"
#include "services/chosen_box.h"
#include "services/printer_record.h"
#include "services/qt_translations.h"
#include "services/settings.h"
#include "services/write_journal.h"
#include "text/string_ids.h"
#include "text/strings.h"
#include "canvas/kelp_view.h"
#include "midi/midi_toolkit.h"
#include "document/kelp_doc.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLocale>
#include <QScreen>

#include <cstdlib>

namespace zembra {

KelpApp::KelpApp() = default;

KelpApp::~KelpApp()
{
    m_keeper.reset();
    m_recovery.reset();
    m_frame.reset();
    m_doc.reset();
}

bool KelpApp::InitInstance(const QStringList& arguments)
{
    SetUpApplicationIdentity();
    InstallQtTranslations(language());
    StartWriteJournal();
    // Before the view builds the device menu.
    if (settings::MidiMonitorEnabled()) {
        MidiToolkit::shared().setMonitorListed(true);
    }
    m_doc = std::make_unique<CKelpDoc>();
    m_view = new CKelpView();
    m_frame = std::make_unique<CMainFrame>(m_doc.get(), m_view);
    // The program starts on the box the user chose last; File > New keeps the box of the song
    // that was open.
    m_view->song().UseBox(StartingBox());
    m_view->Repaint();

    const QScreen* screen = QGuiApplication::primaryScreen();
    const auto frameRect = [this, screen] {
        const QRect area = screen->geometry();
        return InitialFrameRect(area.width(), area.height(), m_view->song().rowCount, m_view->song().rowHeight);
    };
    if (screen) {
        const FrameRect rect = frameRect();
        m_frame->move(screen->geometry().x() + rect.x, screen->geometry().y() + rect.y);
        m_frame->resize(rect.width, rect.height);
    }

    // The new-document step opens the file named on the command line instead, when there is one.
    if (!arguments.isEmpty()) {
        m_commandLineFile = arguments.front();
        m_doc->setCommandLineFile(m_commandLineFile);
        // The import's dialog is the first thing the user meets; no about box comes after it.
        m_frame->setStartupSplash(false);
    }
    m_doc->NewSong();
    m_recovery = std::make_unique<RecoveryFolder>(RecoveryFolder::StandardFolder());
    m_keeper = std::make_unique<RecoveryKeeper>(*m_doc, *m_view, *m_recovery);
    QObject::connect(m_frame.get(), &CMainFrame::closing, m_keeper.get(), &RecoveryKeeper::Discard);
    // Before the window shows, so that it opens on the song the user chose to restore.
    OfferRecovery(*m_recovery, *m_keeper, *m_doc, *m_view, m_frame.get());
    if (screen) {
        // A song restored from the recovery folder may be on another box: the window opens as
        // high as the box of the song it shows wants.
        const FrameRect rect = frameRect();
        m_frame->resize(rect.width, rect.height);
        m_frame->show();
        new OuterHeightKeeper(*m_frame, rect.width, rect.height); // the height counts the window's frame too
    } else {
        m_frame->show();
    }

    settings::LoadPrinterSettings(applicationDevMode());
    CheckDefaultPrinter();
    return true;
}

} // namespace zembra
