// The crank's figures in the real window: the status bar pane follows the tempo and bar length
// set through the settings dialog, flags a crank too fast for a hand, and the print settings
// dialog gives the figures for the bar length chosen in it, as it is chosen.
#include "app/crank_pane.h"
#include "app/document_view_link.h"
#include "app/main_frame.h"
#include "canvas/kelp_view.h"
#include "card/card_print_dialog.h"
#include "document/kelp_doc.h"
#include "midi/midi_toolkit.h"
#include "model/tempo_law.h"
#include "playback_fixture.h"
#include "scoped_scripted_prompts.h"
#include "services/command_ids.h"
#include "services/qt_text.h"
#include "text/string_ids.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QSlider>
#include <QStatusBar>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace zembra {
namespace {

class CrankWindow : public testing::Test {
protected:
    CrankWindow()
        : time(std::make_shared<ManualTimeSource>())
        , toolkit(ToolkitOptions::manual(time))
        , installer(&toolkit)
        , view(new CKelpView)
        , frame(std::make_unique<CMainFrame>(&doc, view))
    {
        QSettings().clear();
        LinkDocumentAndView(doc, *view);
        doc.NewSong();
        frame->resize(900, 600);
        frame->show();
        settle();
        pane = frame->statusBar()->findChild<CrankPane*>();
    }

    void settle()
    {
        QApplication::processEvents();
        view->PaintOffscreen();
        view->viewport()->repaint();
    }

    // Edit > Settings..., the tempo dragged to `bpm` or the bar length picked, then OK.
    void settings(int bpm, const char* barLength)
    {
        scripted->pushDialog([bpm, barLength](QDialog& dialog) {
            if (bpm > 0) {
                auto* slider = dialog.findChild<QSlider*>(QStringLiteral("tempo"));
                slider->setSliderDown(true);
                slider->setValue(SliderForTempo(60.0e6 / bpm));
                slider->setSliderDown(false);
            }
            if (barLength) {
                auto* box = dialog.findChild<QComboBox*>(QStringLiteral("barLength"));
                box->setCurrentIndex(box->findText(QString::fromLatin1(barLength)));
            }
            QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("ok")), Qt::LeftButton);
            return dialog.result();
        });
        frame->action(cmd::kSettings)->trigger();
        settle();
    }

    void expectPane(int turns, bool tooFast, const char* what)
    {
        ASSERT_NE(pane, nullptr);
        EXPECT_NEAR(pane->figures().turnsPerMinute, turns, 1.0) << what;
        EXPECT_TRUE(pane->text().contains(QString::number(turns))) << what << ": " << pane->text().toStdString();
        EXPECT_EQ(pane->figures().tooFast, tooFast) << what;
        EXPECT_EQ(pane->text().contains(TextOf(str::kCrankTooFast)), tooFast) << what;
        EXPECT_EQ(pane->styleSheet().contains(QStringLiteral("color")), tooFast) << what << ": red when too fast";
        EXPECT_TRUE(pane->toolTip().contains(QStringLiteral("5.66"))) << "the box's card a turn: 600/106 mm";
        EXPECT_TRUE(pane->isVisible());
    }

    ScopedScriptedPrompts scripted;
    std::shared_ptr<ManualTimeSource> time;
    MidiToolkit toolkit;
    SharedToolkit installer;
    CKelpDoc doc;
    CKelpView* view;
    std::unique_ptr<CMainFrame> frame;
    CrankPane* pane = nullptr;
};

TEST_F(CrankWindow, ThePaneFollowsTempoAndBarLengthAndFlagsACrankTooFastForAHand)
{
    // The new song: the 33-note box, 50 mm bars, 4/4, 120 beats a minute.
    ASSERT_EQ(view->song().rowCount, 33);
    ASSERT_EQ(view->song().barLengthMm, 50);
    ASSERT_EQ(view->song().beatsPerBar, 4);
    expectPane(265, true, "120 beats a minute");

    settings(60, nullptr);
    ASSERT_EQ(BeatsPerMinute(view->song().tempo), 60);
    expectPane(133, false, "60 beats a minute");

    settings(0, "100");
    ASSERT_EQ(view->song().barLengthMm, 100);
    expectPane(265, true, "60 beats a minute on 100 mm bars");
}

TEST_F(CrankWindow, ThePrintSettingsDialogGivesTheFiguresOfItsBarLength)
{
    QString opening;
    QString chosen;
    bool openingFast = true;
    bool chosenFast = true;
    scripted->pushDialog([&](QDialog& dialog) {
        auto* line = dialog.findChild<QLabel*>(QStringLiteral("crankFigures"));
        opening = line->text();
        openingFast = line->property("tooFast").toBool();
        // From 50 mm up the list to 30 mm, as the keys move through it.
        auto* box = static_cast<QComboBox*>(static_cast<CCardPrintDialog&>(dialog).control(CCardPrintDialog::kBarLength));
        box->setFocus();
        for (int i = 0; i < 5; ++i) {
            QTest::keyClick(box, Qt::Key_Up);
        }
        chosen = line->text();
        chosenFast = line->property("tooFast").toBool();
        dialog.reject();
        return dialog.result();
    });
    frame->action(cmd::kPrint)->trigger();
    EXPECT_TRUE(opening.contains(QStringLiteral("265"))) << opening.toStdString();
    EXPECT_TRUE(opening.contains(TextOf(str::kCrankTooFast)));
    EXPECT_TRUE(openingFast);
    // 120 beats a minute on 30 mm bars: 30 bars, 900 mm a minute, 159 turns of 600/106 mm.
    EXPECT_TRUE(chosen.contains(QStringLiteral("159"))) << chosen.toStdString();
    EXPECT_FALSE(chosen.contains(TextOf(str::kCrankTooFast)));
    EXPECT_FALSE(chosenFast);
    EXPECT_EQ(view->song().barLengthMm, 50) << "cancelled: the song keeps its bar";
    expectPane(265, true, "after the dialog");
}

} // namespace
} // namespace zembra
