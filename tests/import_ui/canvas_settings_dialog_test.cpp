#include "import_ui/canvas_settings_dialog.h"

#include "import/import_options.h"

#include "import/box_choices.h"
#include "midi/sync_clock.h"
#include "model/song_state.h"

#include "scoped_scripted_prompts.h"
#include "song_fixtures.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTest>

#include <gtest/gtest.h>

namespace zembra {
namespace {

class SettingsDialog : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(clock.Open());
        clock.SetTempo(123456);
        setup.title = "Song";
        setup.author = "Me";
        setup.beatsPerBar = 4;
        setup.barCount = 24;
        setup.barLengthMm = 50;
        setup.pixelsPerQuarter = 24;
        setup.transposition = 0;
        setup.tempo = 500000;
        setup.resolution = 480;
    }

    std::unique_ptr<CanvasSettingsDialog> open(CanvasSettingsDialog::Counter counter = {})
    {
        return std::make_unique<CanvasSettingsDialog>(setup, *song, &clock, &documentTempo, std::move(counter));
    }

    template <typename T>
    static T* child(QDialog& dialog, const char* name)
    {
        T* found = dialog.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    static void choose(QDialog& dialog, const char* list, const char* entry)
    {
        auto* box = child<QComboBox>(dialog, list);
        const int index = box->findText(QString::fromLatin1(entry));
        ASSERT_GE(index, 0) << entry;
        box->setFocus();
        // Walk there with the keys, as a person would.
        if (box->currentIndex() < 0) {
            QTest::keyClick(box, Qt::Key_Home);
        }
        while (box->currentIndex() < index) {
            QTest::keyClick(box, Qt::Key_Down);
        }
        while (box->currentIndex() > index) {
            QTest::keyClick(box, Qt::Key_Up);
        }
        ASSERT_EQ(box->currentText(), QString::fromLatin1(entry));
    }

    static void press(QDialog& dialog, const char* button)
    {
        QTest::mouseClick(child<QPushButton>(dialog, button), Qt::LeftButton);
    }

    ScopedScriptedPrompts scripted;
    std::unique_ptr<SongState> song = NewSong();
    SyncClock clock;
    double documentTempo = 0;
    CanvasSettingsDialog::Setup setup;
};

TEST_F(SettingsDialog, OpensOnItsValuesAndScalesTheClockToTheFile)
{
    setup.barCount = 20;
    setup.barLengthMm = 3;
    setup.transposition = -1;
    setup.beatsPerBar = 6;
    auto dialog = open();
    EXPECT_EQ(child<QComboBox>(*dialog, "bars")->currentText(), QStringLiteral("24"));
    EXPECT_EQ(child<QComboBox>(*dialog, "barLength")->currentText(), QStringLiteral("30"));
    EXPECT_EQ(child<QComboBox>(*dialog, "scale")->currentText(), QStringLiteral("24"));
    EXPECT_EQ(child<QComboBox>(*dialog, "transposition")->currentText(), QStringLiteral("-1"));
    EXPECT_EQ(child<QComboBox>(*dialog, "beats")->currentText(), QStringLiteral("4"));
    EXPECT_EQ(child<QLineEdit>(*dialog, "title")->text(), QStringLiteral("Song"));
    EXPECT_EQ(child<QSlider>(*dialog, "tempo")->value(), 7000);
    EXPECT_EQ(child<QLabel>(*dialog, "tempoReadout")->text(), QStringLiteral("120"));
    EXPECT_EQ(dialog->info(), QStringLiteral("Setting info."));
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Setting Music Parameter"));
    EXPECT_EQ(clock.GetTempo(), 100000u) << "500000 x 96 / 480";
    EXPECT_FALSE(child<QPushButton>(*dialog, "editor")->isEnabled());
}

TEST_F(SettingsDialog, OkWritesTheChosenValuesIntoTheSong)
{
    auto dialog = open();
    choose(*dialog, "beats", "3");
    choose(*dialog, "bars", "16");
    choose(*dialog, "barLength", "40");
    choose(*dialog, "scale", "32");
    choose(*dialog, "transposition", "+2");
    auto* title = child<QLineEdit>(*dialog, "title");
    title->clear();
    QTest::keyClicks(title, QStringLiteral("A title that is far longer than thirty-two characters"));
    // Release the slider after a drag to 8000: 400000 microseconds, 150 bpm.
    auto* slider = child<QSlider>(*dialog, "tempo");
    slider->setSliderDown(true);
    slider->setValue(8000);
    slider->setSliderDown(false);
    EXPECT_EQ(child<QLabel>(*dialog, "tempoReadout")->text(), QStringLiteral("150"));
    EXPECT_EQ(clock.GetTempo(), 80000u) << "400000 x 96 / 480";
    press(*dialog, "ok");
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(song->beatsPerBar, 3);
    EXPECT_EQ(song->barCount, 16);
    EXPECT_EQ(song->barLengthMm, 40);
    EXPECT_EQ(song->pixelsPerQuarter, 32);
    EXPECT_EQ(song->importTransposition, 2);
    EXPECT_EQ(song->title, "A title that is far longer than ") << "32 characters at most";
    EXPECT_EQ(song->author, "Me");
    EXPECT_EQ(song->tempo, 400000.0);
    EXPECT_EQ(documentTempo, 400000.0);
    EXPECT_TRUE(scripted->messages().isEmpty());
}

TEST_F(SettingsDialog, OkWithoutABarCountSaysCheckAndStaysOpen)
{
    setup.barCount = 100;
    auto dialog = open();
    EXPECT_EQ(child<QComboBox>(*dialog, "bars")->currentIndex(), -1);
    press(*dialog, "ok");
    EXPECT_EQ(scripted->messages(), QStringList{QStringLiteral("Warning! Check parameter.")});
    EXPECT_NE(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(song->barCount, 24) << "nothing written";
    EXPECT_EQ(song->title, std::string("My Music"));
    choose(*dialog, "bars", "80");
    press(*dialog, "ok");
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(song->barCount, 80);
    EXPECT_EQ(song->title, "Song");
}

TEST_F(SettingsDialog, DisabledListIsNeitherCheckedNorWritten)
{
    setup.barCount = 100;
    setup.enabled.bars = false;
    setup.enabled.title = false;
    auto dialog = open();
    EXPECT_FALSE(child<QComboBox>(*dialog, "bars")->isEnabled());
    press(*dialog, "ok");
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(song->barCount, 24);
    EXPECT_EQ(song->title, "My Music");
    EXPECT_EQ(song->author, "Me");
}

TEST_F(SettingsDialog, CancelPutsTheOpeningTempoBackUnscaled)
{
    auto dialog = open();
    auto* slider = child<QSlider>(*dialog, "tempo");
    slider->setFocus();
    QTest::keyClick(slider, Qt::Key_PageUp);
    QApplication::processEvents();
    EXPECT_EQ(dialog->tempo(), 450000.0) << "one page of 500 steps";
    EXPECT_EQ(clock.GetTempo(), 90000u);
    press(*dialog, "cancel");
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_EQ(clock.GetTempo(), 500000u);
    EXPECT_EQ(song->tempo, 500000.0);
    EXPECT_EQ(documentTempo, 0.0) << "nothing written";
}

TEST_F(SettingsDialog, ATranspositionChangeCountsAgain)
{
    std::vector<int> asked;
    auto dialog = open([&asked](int transposition, const ImportOptions&, const FitGrid&) {
        asked.push_back(transposition);
        return CanvasSettingsDialog::Figures{10 + transposition, 5, {}};
    });
    choose(*dialog, "transposition", "+2");
    EXPECT_EQ(asked, (std::vector<int>{1, 2}));
    EXPECT_EQ(dialog->info(), QStringLiteral(" importable note : 12\u3000 pieces  non importation note : 5\u3000 pieces"));
}

TEST_F(SettingsDialog, TheWordsOnWhatTheCanvasLeavesOutFollowTheGrid)
{
    setup.info = QStringLiteral("counts");
    setup.reach = QStringLiteral("The canvas takes only the first 24 bars.");
    std::vector<int> barsAsked;
    auto dialog = open([&barsAsked](int transposition, const ImportOptions&, const FitGrid& grid) {
        barsAsked.push_back(grid.barCount);
        const std::string reach = grid.barCount < 32 ? "The canvas takes only the first " +
                                                           std::to_string(grid.barCount) + " bars."
                                                     : std::string();
        return CanvasSettingsDialog::Figures{10 + transposition, 5, reach};
    });
    EXPECT_EQ(dialog->info(), QStringLiteral("counts\nThe canvas takes only the first 24 bars."));
    choose(*dialog, "bars", "16");
    EXPECT_EQ(dialog->info(), QStringLiteral("counts\nThe canvas takes only the first 16 bars."))
        << "the counts stay as they were shown, the words follow the bars";
    choose(*dialog, "bars", "32");
    EXPECT_EQ(dialog->info(), QStringLiteral("counts")) << "nothing left out, nothing said";
    EXPECT_EQ(barsAsked.back(), 32);
}

TEST_F(SettingsDialog, TheEditorStartsFromTheListsAndHandsBackItsChoice)
{
    struct Case {
        bool accepted;
        const char* beats;
        const char* transposition;
        int cutMarkers;
        const char* info;
    };
    const Case cases[] = {
        {true, "3", "-2", 1, " importable note : 8  pieces non importation note :  5  pieces"},
        {false, "4", "+1", 0, "Setting info."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.accepted);
        setup.enabled.editor = true;
        setup.tempo = 500000;
        documentTempo = 400000;
        std::vector<int> asked;
        setup.editor = [&](int beats, int transposition, int cutMarkers, const ImportOptions&, const MusicBox&) {
            asked = {beats, transposition, cutMarkers};
            return CanvasSettingsDialog::EditorChoice{c.accepted, 3, -2, 1};
        };
        auto dialog = open([](int transposition, const ImportOptions&, const FitGrid&) {
            return CanvasSettingsDialog::Figures{10 + transposition, 5, {}};
        });
        choose(*dialog, "transposition", "+1");
        dialog->findChild<QLabel*>(QStringLiteral("info"))->setText(QStringLiteral("Setting info."));
        ASSERT_TRUE(child<QPushButton>(*dialog, "editor")->isEnabled());
        press(*dialog, "editor");
        EXPECT_EQ(asked, (std::vector<int>{4, 1, 0})) << "the lists as they stand";
        EXPECT_EQ(clock.GetTempo(), 400000u) << "the document's tempo, the slider untouched";
        EXPECT_EQ(child<QComboBox>(*dialog, "beats")->currentText(), QString::fromLatin1(c.beats));
        EXPECT_EQ(child<QComboBox>(*dialog, "transposition")->currentText(), QString::fromLatin1(c.transposition));
        EXPECT_EQ(dialog->cutMarkers(), c.cutMarkers);
        EXPECT_EQ(dialog->info(), QString::fromLatin1(c.info));
    }
}

TEST_F(SettingsDialog, CopyTakesTheTitleSelectionElseTheAuthors)
{
    auto dialog = open();
    auto* title = child<QLineEdit>(*dialog, "title");
    auto* author = child<QLineEdit>(*dialog, "author");
    QApplication::clipboard()->clear();
    author->setFocus();
    author->selectAll();
    QTest::keySequence(author, QKeySequence::Copy);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("Me"));
    title->setSelection(0, 2);
    QTest::keySequence(author, QKeySequence::Copy);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("So")) << "the title's selection comes first";
}

TEST_F(SettingsDialog, BeforeAnyFileTheClockTakesTheTempoAsItIs)
{
    setup.resolution = 0;
    auto dialog = open();
    EXPECT_EQ(clock.GetTempo(), 500000u);
}

TEST_F(SettingsDialog, AnotherBoxCountsTheFileAndOpensTheEditorOnIt)
{
    setup.boxes = BoxChoices(song->box);
    setup.enabled.editor = true;
    std::string editorBox;
    setup.editor = [&](int, int, int, const ImportOptions&, const MusicBox& box) {
        editorBox = box.id;
        return CanvasSettingsDialog::EditorChoice{};
    };
    std::vector<std::string> asked;
    auto dialog = open([&asked](int transposition, const ImportOptions&, const FitGrid& grid) {
        asked.push_back(grid.box ? grid.box->id : std::string("none"));
        return CanvasSettingsDialog::Figures{static_cast<int>(grid.box ? grid.box->notes.size() : 0), transposition, {}};
    });
    auto* list = child<QComboBox>(*dialog, "box");
    ASSERT_EQ(list->count(), 5);
    EXPECT_EQ(list->currentText(), QStringLiteral("33-note")) << "the song's box first";
    choose(*dialog, "box", "20-note");
    ASSERT_FALSE(asked.empty());
    EXPECT_EQ(asked.back(), "20") << "counted on the chosen box";
    EXPECT_EQ(dialog->info(), QString::fromStdString(TranspositionCountsLine(20, 0)));
    EXPECT_EQ(dialog->chosenBox().id, "20");
    press(*dialog, "editor");
    EXPECT_EQ(editorBox, "20");
    EXPECT_FALSE(child<QLabel>(*dialog, "boxSwitch")->isVisibleTo(dialog.get()))
        << "the import replaces the notes: nothing to say about them";
}

TEST_F(SettingsDialog, TheCanvasUseSaysWhatBecomesOfTheNotesBeforeOkMovesThem)
{
    struct Case {
        bool fold;
        const char* line;
        std::vector<int> pitches; // after OK, on the 15-note box
    };
    const Case cases[] = {
        {true, "On this box 1 notes stay, 1 move by octaves and 1 are removed.", {62, 81}},
        {false, "On this box 1 notes stay and 2 are removed.", {62}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fold);
        song = NewSong();
        // D4 is on the 15-note box, D#4 has no row there in any octave, A6 folds down to A5.
        for (const auto& [left, pitch] : {std::pair{0, 62}, {96, 63}, {192, 93}}) {
            PlaceNote(*song, left, song->bandTopOfRow(song->RowForPitch(pitch)));
        }
        setup.boxes = BoxChoices(song->box);
        setup.notesMove = true;
        setup.foldOnSwitch = c.fold;
        auto dialog = open();
        auto* line = child<QLabel>(*dialog, "boxSwitch");
        EXPECT_FALSE(line->isVisibleTo(dialog.get())) << "the song's own box moves nothing";
        choose(*dialog, "box", "15-note");
        EXPECT_TRUE(line->isVisibleTo(dialog.get()));
        EXPECT_EQ(line->text(), QString::fromLatin1(c.line));
        EXPECT_EQ(song->box.id, "33") << "nothing moves before OK";
        press(*dialog, "ok");
        EXPECT_EQ(dialog->result(), QDialog::Accepted);
        EXPECT_EQ(song->box.id, "15");
        EXPECT_EQ(song->rowCount, 15);
        std::vector<int> pitches;
        for (int i = 0; i < song->UsedEnd(); ++i) {
            if (song->IsLive(i)) {
                pitches.push_back(song->notes[static_cast<std::size_t>(i)].pitch);
                EXPECT_EQ(song->rows[static_cast<std::size_t>(song->RowOf(i))].pitch, song->notes[static_cast<std::size_t>(i)].pitch);
            }
        }
        EXPECT_EQ(pitches, c.pitches);
    }
}

} // namespace
} // namespace zembra
