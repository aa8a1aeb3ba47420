#pragma once

// The main window in a chosen language, over a toolkit on the manual clock, shown and painted.
#include "app/document_view_link.h"
#include "app/main_frame.h"
#include "canvas/kelp_view.h"
#include "document/kelp_doc.h"
#include "midi/midi_toolkit.h"
#include "playback_fixture.h"
#include "text/strings.h"

#include <QApplication>
#include <QClipboard>
#include <QSettings>
#include <QTest>

#include <memory>

namespace zembra {

class WindowBench {
public:
    explicit WindowBench(Language language = Language::English)
        : m_before(zembra::language())
        , time(std::make_shared<ManualTimeSource>())
        , toolkit(ToolkitOptions::manual(time))
        , installer(&toolkit)
    {
        setLanguage(language);
        QSettings().clear();
        QApplication::clipboard()->clear();
        view = new CKelpView;
        frame = std::make_unique<CMainFrame>(&doc, view);
        LinkDocumentAndView(doc, *view);
        doc.NewSong();
        frame->resize(900, 700);
        frame->show();
        view->PaintOffscreen();
    }
    ~WindowBench()
    {
        if (view->playing()) {
            view->playback().Stop();
        }
        frame.reset();
        setLanguage(m_before);
    }
    WindowBench(const WindowBench&) = delete;
    WindowBench& operator=(const WindowBench&) = delete;

    // A note made with the right button, as the user makes one.
    void rightClick(int canvasX, int y)
    {
        QTest::mouseClick(view->viewport(), Qt::RightButton, {}, QPoint(canvasX + 20 - view->scrollX(), y));
        view->PaintOffscreen();
    }

private:
    Language m_before;

public:
    std::shared_ptr<ManualTimeSource> time;
    MidiToolkit toolkit;
    SharedToolkit installer;
    CKelpDoc doc;
    CKelpView* view = nullptr;
    std::unique_ptr<CMainFrame> frame;
};

} // namespace zembra
