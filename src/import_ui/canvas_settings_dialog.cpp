#include "import_ui/canvas_settings_dialog.h"

#include "import/import_options.h"

#include "model/box_switch.h"
#include "model/song_state.h"
#include "model/tempo_law.h"
#include "midi/sync_clock.h"
#include "text/string_ids.h"
#include "text/strings.h"
#include "import_ui/arrange_panel.h"
#include "import_ui/comb_fit_panel.h"
#include "import_ui/import_track_list.h"
#include "services/prompts.h"
#include "services/qt_text.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

namespace zembra {

namespace {

constexpr int kSliderPageStep = 500;

QLabel* helpLabel(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    label->setVisible(!text.isEmpty());
    return label;
}

} // namespace

CanvasSettingsDialog::CanvasSettingsDialog(const Setup& setup, SongState& song, SyncClock* clock, double* documentTempo,
                                           Counter counter, QWidget* parent)
    : QDialog(parent)
    , m_setup(setup)
    , m_song(song)
    , m_clock(clock)
    , m_documentTempo(documentTempo)
    , m_counter(std::move(counter))
    , m_openingTempo(setup.tempo)
    , m_tempo(setup.tempo)
    , m_cutMarkers(setup.cutMarkers)
{
    setObjectName(QStringLiteral("CanvasSettingsDialog"));
    setWindowTitle(setup.caption.isEmpty() ? TextOf(str::kSettingsCaption) : setup.caption);
    const SettingsEnabled& on = setup.enabled;

    m_title = new QLineEdit(this);
    m_title->setObjectName(QStringLiteral("title"));
    m_title->setMaxLength(kSettingsTextLimit);
    m_title->setText(Utf8(setup.title));
    m_title->setEnabled(on.title);
    m_author = new QLineEdit(this);
    m_author->setObjectName(QStringLiteral("author"));
    m_author->setMaxLength(kSettingsTextLimit);
    m_author->setText(Utf8(setup.author));
    m_author->setEnabled(on.author);
    m_title->installEventFilter(this);
    m_author->installEventFilter(this);

    const SettingsChoice opening = OpeningChoice(
        {setup.beatsPerBar, setup.barCount, setup.barLengthMm, setup.pixelsPerQuarter, setup.transposition});
    m_beats = makeList("beats", BeatsEntries(), opening.beats, on.beats);
    m_bars = makeList("bars", BarCountEntries(), opening.bars, on.bars);
    m_barLength = makeList("barLength", BarLengthEntries(), opening.barLength, on.barLength);
    m_scale = makeList("scale", ScaleEntries(), opening.scale, on.scale);
    m_transposition = makeList("transposition", TranspositionEntries(), opening.transposition, on.transposition);
    connect(m_transposition, &QComboBox::currentIndexChanged, this, &CanvasSettingsDialog::onTranspositionChanged);
    if (!setup.boxes.empty()) {
        m_box = new QComboBox(this);
        m_box->setObjectName(QStringLiteral("box"));
        for (const MusicBox& box : setup.boxes) {
            m_box->addItem(Utf8(box.name));
        }
        m_box->setCurrentIndex(0);
        connect(m_box, &QComboBox::currentIndexChanged, this, &CanvasSettingsDialog::onBoxChanged);
        m_boxSwitch = helpLabel(QString(), this);
        m_boxSwitch->setObjectName(QStringLiteral("boxSwitch"));
    }

    m_slider = new QSlider(Qt::Horizontal, this);
    m_slider->setObjectName(QStringLiteral("tempo"));
    m_slider->setRange(kTempoSliderMin, kTempoSliderMax);
    m_slider->setPageStep(kSliderPageStep);
    m_slider->setValue(SliderForTempo(m_tempo));
    m_slider->setEnabled(on.tempo);
    connect(m_slider, &QSlider::sliderReleased, this, &CanvasSettingsDialog::applySlider);
    // A click beside the handle or a key moves it without a release: apply once it has moved.
    connect(m_slider, &QSlider::actionTriggered, this, [this](int action) {
        if (action != QAbstractSlider::SliderMove) {
            QMetaObject::invokeMethod(this, &CanvasSettingsDialog::applySlider, Qt::QueuedConnection);
        }
    });
    m_readout = new QLabel(this);
    m_readout->setObjectName(QStringLiteral("tempoReadout"));
    m_readout->setMinimumWidth(40);
    m_readout->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    m_countsLine = setup.info.isEmpty() ? TextOf(str::kSettingsInfoDefault) : setup.info;
    m_reach = setup.reach;
    m_info = new QLabel(this);
    m_info->setObjectName(QStringLiteral("info"));
    m_info->setWordWrap(true);
    showInfo();

    m_editor = new QPushButton(TextOf(str::kSettingsEditorButton), this);
    m_editor->setObjectName(QStringLiteral("editor"));
    m_editor->setEnabled(on.editor && static_cast<bool>(setup.editor));
    connect(m_editor, &QPushButton::clicked, this, &CanvasSettingsDialog::openEditor);

    // Kept for the layout of earlier versions; it has no effect and shows in neither use.
    auto* redoAssignment = new QCheckBox(TextOf(str::kRedoTeethAssignment), this);
    redoAssignment->setObjectName(QStringLiteral("redoAssignment"));
    redoAssignment->setVisible(false);

    auto* grid = new QGridLayout;
    int row = 0;
    auto addRow = [&](int labelId, QWidget* field, const QString& help) {
        grid->addWidget(new QLabel(TextOf(labelId), this), row, 0);
        grid->addWidget(field, row, 1);
        grid->addWidget(helpLabel(help, this), row, 2);
        ++row;
    };
    addRow(str::kSettingsTitleLabel, m_title, QString());
    addRow(str::kSettingsAuthorLabel, m_author, QString());
    addRow(str::kSettingsBeatsLabel, m_beats, TextOf(str::kSettingsBeatsHelp));
    addRow(str::kSettingsBarCountLabel, m_bars, TextOf(str::kSettingsBarCountHelp));
    if (setup.arrange.run) {
        // The bar length the melody asks for, taken with one press beside the list.
        m_takeBarLength = new QPushButton(this);
        m_takeBarLength->setObjectName(QStringLiteral("takeBarLength"));
        m_takeBarLength->setVisible(false);
        connect(m_takeBarLength, &QPushButton::clicked, this, &CanvasSettingsDialog::takeAdvisedBarLength);
        auto* barField = new QWidget(this);
        auto* barRow = new QHBoxLayout(barField);
        barRow->setContentsMargins(0, 0, 0, 0);
        barRow->addWidget(m_barLength, 1);
        barRow->addWidget(m_takeBarLength);
        addRow(str::kSettingsBarLengthLabel, barField, TextOf(str::kSettingsBarLengthHelp));
        m_barAdvice = helpLabel(QString(), this);
        m_barAdvice->setObjectName(QStringLiteral("barLengthAdvice"));
        grid->addWidget(m_barAdvice, row, 1, 1, 2);
        ++row;
    } else {
        addRow(str::kSettingsBarLengthLabel, m_barLength, TextOf(str::kSettingsBarLengthHelp));
    }
    addRow(str::kSettingsScaleLabel, m_scale, TextOf(str::kSettingsScaleHelp));
    if (m_box) {
        grid->addWidget(new QLabel(TextOf(str::kSettingsBoxLabel), this), row, 0);
        grid->addWidget(m_box, row, 1);
        grid->addWidget(m_boxSwitch, row, 2);
        ++row;
    }
    auto* transposeLabel = new QLabel(setup.transposeLabel, this);
    transposeLabel->setObjectName(QStringLiteral("transposeLabel"));
    transposeLabel->setWordWrap(true);
    grid->addWidget(transposeLabel, row, 0);
    grid->addWidget(m_transposition, row, 1);
    QString help = setup.transposeHelp;
    if (!setup.keyName.isEmpty()) {
        help = QStringLiteral("( = ") + setup.keyName + QStringLiteral(" )") + (help.isEmpty() ? QString() : ' ' + help);
    }
    QLabel* transposeHelp = helpLabel(help, this);
    transposeHelp->setObjectName(QStringLiteral("transposeHelp"));
    grid->addWidget(transposeHelp, row, 2);
    ++row;
    auto* tempoRow = new QHBoxLayout;
    tempoRow->addWidget(m_slider, 1);
    tempoRow->addWidget(m_readout);
    grid->addWidget(new QLabel(TextOf(str::kSettingsTempoLabel), this), row, 0);
    grid->addLayout(tempoRow, row, 1, 1, 2);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(2, 1);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(TextOf(str::kSettingsOk), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setDefault(true);
    QPushButton* cancel = buttons->addButton(TextOf(str::kSettingsCancel), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_editor);
    bottom->addStretch(1);
    bottom->addWidget(buttons);

    auto* layout = new QVBoxLayout(this);
    // The help texts wrap: the dialog is never lower than its wrapped lines need.
    layout->setSizeConstraint(QLayout::SetMinimumSize);
    layout->addLayout(grid);
    if (!setup.tracks.empty()) {
        m_trackList = new ImportTrackList(setup.tracks, setup.fit.options.leftOutTracks, this);
        connect(m_trackList, &ImportTrackList::choiceChanged, this, [this] {
            recount();
            refreshFit();
        });
        layout->addWidget(m_trackList);
    }
    if (setup.fit.rank) {
        layout->addWidget(makeFitPanel());
    }
    if (setup.arrange.run) {
        layout->addWidget(makeArrangePanel());
    }
    if (m_counter) {
        // What the canvas leaves out, and the fit's figures, hold for the grid they were made on.
        for (QComboBox* list : {m_beats, m_bars, m_barLength, m_scale}) {
            connect(list, &QComboBox::currentIndexChanged, this, [this] {
                reach();
                refreshFit();
            });
        }
    }
    layout->addWidget(m_info);
    layout->addWidget(redoAssignment);
    layout->addLayout(bottom);

    showTempo(m_tempo);
    setClockTempo(ClockTempoFor(m_tempo, setup.resolution));
}

QComboBox* CanvasSettingsDialog::makeList(const char* name, std::span<const std::string_view> entries, int selected,
                                          bool enabled)
{
    auto* list = new QComboBox(this);
    list->setObjectName(QString::fromLatin1(name));
    for (std::string_view entry : entries) {
        list->addItem(Utf8(entry));
    }
    list->setCurrentIndex(selected);
    list->setEnabled(enabled);
    return list;
}

QString CanvasSettingsDialog::info() const
{
    return m_info->text();
}

QWidget* CanvasSettingsDialog::makeFitPanel()
{
    m_fitPanel = new CombFitPanel(
        [this](const ImportOptions& options) {
            ImportOptions withTracks = options;
            withTracks.leftOutTracks = importOptions().leftOutTracks;
            return m_setup.fit.rank(withTracks, currentGrid());
        },
        m_setup.fit.key, m_setup.fit.options, this);
    connect(m_fitPanel, &CombFitPanel::transpositionChosen, this,
            [this](int transposition) { m_transposition->setCurrentIndex(TranspositionIndex(transposition)); });
    connect(m_fitPanel, &CombFitPanel::optionsChanged, this, [this] {
        recount();
        refreshFit();
    });
    return m_fitPanel;
}

QWidget* CanvasSettingsDialog::makeArrangePanel()
{
    m_arrangePanel = new ArrangePanel(
        [this](const ArrangeChoices& choices) { return m_setup.arrange.run(choices, importOptions(), currentGrid()); },
        m_setup.arrange.tracks, m_setup.arrange.defaultTrack, this);
    connect(m_arrangePanel, &ArrangePanel::arrangedNow, this, &CanvasSettingsDialog::showArrangement);
    return m_arrangePanel;
}

std::optional<ArrangeChoices> CanvasSettingsDialog::arrangement() const
{
    return m_arrangePanel ? m_arrangePanel->arranged() : std::nullopt;
}

void CanvasSettingsDialog::showArrangement(const ArrangeOutcome& outcome)
{
    if (m_setup.enabled.transposition) {
        m_transposition->setCurrentIndex(TranspositionIndex(outcome.result.transposition));
    }
    m_advisedBarLength = outcome.advice.barLengthMm;
    if (m_barAdvice) {
        m_barAdvice->setText(Utf8(outcome.advice.text));
        m_barAdvice->setVisible(outcome.advice.show);
        if (outcome.advice.show && m_barAdvice->width() > 0) {
            m_barAdvice->setMinimumHeight(m_barAdvice->heightForWidth(m_barAdvice->width()));
        }
    }
    if (m_takeBarLength) {
        m_takeBarLength->setText(TextOf(str::kArrangeTakeBar).arg(m_advisedBarLength));
        m_takeBarLength->setVisible(outcome.advice.show && m_advisedBarLength > 0 && m_barLength->isEnabled());
    }
}

void CanvasSettingsDialog::takeAdvisedBarLength()
{
    const int index = m_advisedBarLength > 0 ? m_barLength->findText(QString::number(m_advisedBarLength)) : -1;
    if (index >= 0) {
        // The arrangement follows the new grid (refreshFit).
        m_barLength->setCurrentIndex(index);
    }
}

const MusicBox& CanvasSettingsDialog::chosenBox() const
{
    const int index = m_box ? m_box->currentIndex() : -1;
    if (index < 0 || static_cast<std::size_t>(index) >= m_setup.boxes.size()) {
        return m_song.box;
    }
    return m_setup.boxes[static_cast<std::size_t>(index)];
}

void CanvasSettingsDialog::onBoxChanged()
{
    recount();
    refreshFit();
    showBoxSwitch();
}

void CanvasSettingsDialog::showBoxSwitch()
{
    if (!m_boxSwitch) {
        return;
    }
    const MusicBox& box = chosenBox();
    const bool show = m_setup.notesMove && m_song.noteCount > 0 && box != m_song.box;
    if (show) {
        m_boxSwitch->setText(
            Utf8(BoxSwitchLine(CountBoxSwitch(m_song, box, m_setup.foldOnSwitch), m_setup.foldOnSwitch)));
    }
    m_boxSwitch->setVisible(show);
    if (show && m_boxSwitch->width() > 0) {
        m_boxSwitch->setMinimumHeight(m_boxSwitch->heightForWidth(m_boxSwitch->width()));
    }
}

ImportOptions CanvasSettingsDialog::importOptions() const
{
    ImportOptions options = m_fitPanel ? m_fitPanel->options() : m_setup.fit.options;
    options.leftOutTracks = m_trackList ? m_trackList->leftOutTracks() : m_setup.fit.options.leftOutTracks;
    return options;
}

int CanvasSettingsDialog::currentTransposition() const
{
    return currentEntry(m_transposition, m_setup.transposition);
}

void CanvasSettingsDialog::refreshFit()
{
    if (m_fitPanel) {
        m_fitPanel->Refresh(currentTransposition());
    }
    if (m_arrangePanel) {
        m_arrangePanel->Refresh();
    }
}

void CanvasSettingsDialog::showInfo()
{
    m_info->setText(m_reach.isEmpty() ? m_countsLine : m_countsLine + '\n' + m_reach);
}

void CanvasSettingsDialog::reach()
{
    if (!m_counter) {
        return;
    }
    m_reach = Utf8(m_counter(currentTransposition(), importOptions(), currentGrid()).reach);
    showInfo();
}

FitGrid CanvasSettingsDialog::currentGrid() const
{
    FitGrid grid;
    grid.beatsPerBar = currentEntry(m_beats, m_setup.beatsPerBar);
    grid.barCount = currentEntry(m_bars, m_setup.barCount);
    grid.barLengthMm = currentEntry(m_barLength, m_setup.barLengthMm);
    grid.pixelsPerQuarter = currentEntry(m_scale, m_setup.pixelsPerQuarter);
    if (m_box) {
        grid.box = chosenBox();
    }
    return grid;
}

void CanvasSettingsDialog::recount()
{
    onTranspositionChanged(m_transposition->currentIndex());
}

void CanvasSettingsDialog::setClockTempo(std::uint32_t tempo)
{
    if (m_clock && tempo > 0) {
        m_clock->SetTempo(tempo);
    }
}

void CanvasSettingsDialog::showTempo(double tempo)
{
    m_readout->setText(QString::number(BeatsPerMinute(tempo)));
}

void CanvasSettingsDialog::applySlider()
{
    m_tempo = static_cast<double>(TempoForSlider(m_slider->value()));
    setClockTempo(ClockTempoFor(m_tempo, m_setup.resolution));
    showTempo(m_tempo);
}

void CanvasSettingsDialog::onTranspositionChanged(int index)
{
    if (!m_counter || index < 0) {
        return;
    }
    const std::optional<int> semitones = ParseEntry(TranspositionEntries()[static_cast<std::size_t>(index)]);
    if (!semitones) {
        return;
    }
    const Figures figures = m_counter(*semitones, importOptions(), currentGrid());
    m_countsLine = Utf8(TranspositionCountsLine(figures.importable, figures.notImportable));
    m_reach = Utf8(figures.reach);
    showInfo();
}

int CanvasSettingsDialog::currentEntry(QComboBox* list, int fallback) const
{
    const int index = list->currentIndex();
    if (index < 0) {
        return fallback;
    }
    const std::optional<int> value = ParseEntry(list->itemText(index).toStdString());
    return value ? *value : fallback;
}

void CanvasSettingsDialog::openEditor()
{
    if (!m_setup.editor) {
        return;
    }
    // The editor plays the file's own ticks: the clock runs at the document's tempo, scaled by
    // what the slider has made of the opening tempo.
    if (m_documentTempo && m_openingTempo > 0) {
        setClockTempo(static_cast<std::uint32_t>(m_tempo / m_openingTempo * *m_documentTempo));
    }
    const int beats = currentEntry(m_beats, m_setup.beatsPerBar);
    const int transposition = currentEntry(m_transposition, m_setup.transposition);
    const EditorChoice choice = m_setup.editor(beats, transposition, m_cutMarkers, importOptions(), chosenBox());
    if (!choice.accepted) {
        return;
    }
    if (m_fitPanel && choice.cutMarkers) {
        m_fitPanel->LockDrums();
    }
    if (m_setup.enabled.beats) {
        m_beats->setCurrentIndex(BeatsIndex(choice.beatsPerBar));
    }
    if (m_setup.enabled.transposition) {
        const QSignalBlocker quiet(m_transposition);
        m_transposition->setCurrentIndex(TranspositionIndex(choice.transposition));
    }
    m_cutMarkers = choice.cutMarkers;
    if (m_counter) {
        const Figures figures = m_counter(choice.transposition, importOptions(), currentGrid());
        m_countsLine = Utf8(EditedCountsLine(figures.importable, figures.notImportable));
        m_reach = Utf8(figures.reach);
        showInfo();
    }
    // The tracks have changed under the table.
    refreshFit();
}

void CanvasSettingsDialog::copySelection()
{
    // The title's selection, or when it has none the author's.
    const QString selected = m_title->hasSelectedText() ? m_title->selectedText() : m_author->selectedText();
    if (!selected.isEmpty()) {
        QApplication::clipboard()->setText(selected);
    }
}

void CanvasSettingsDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // The grid gives a row the height of its list; a label that wraps at the width it was given
    // gets the lines it needs, and the dialog grows to hold them.
    for (QLabel* label : findChildren<QLabel*>()) {
        if (label->wordWrap() && label->isVisible()) {
            label->setMinimumHeight(label->heightForWidth(label->width()));
        }
    }
}

bool CanvasSettingsDialog::eventFilter(QObject* watched, QEvent* event)
{
    if ((watched == m_title || watched == m_author) && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
        copySelection();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void CanvasSettingsDialog::accept()
{
    const SettingsChoice choice{m_beats->currentIndex(), m_bars->currentIndex(), m_barLength->currentIndex(),
                                m_scale->currentIndex(), m_transposition->currentIndex()};
    const SettingsValues before{m_song.beatsPerBar, m_song.barCount, m_song.barLengthMm, m_song.pixelsPerQuarter,
                                m_song.importTransposition};
    const std::optional<SettingsValues> values = ReadChoice(choice, m_setup.enabled, before);
    if (!values) {
        prompts().message(this, TextOf(str::kCheckParameters), QString(), Prompts::Icon::Warning);
        return;
    }
    // The notes move as the dialog counted them, on the canvas as it is; in the import use they are
    // replaced next, and moved the canvas stays whole until then.
    if (m_box && chosenBox() != m_song.box) {
        SwitchBox(m_song, MusicBox(chosenBox()), m_setup.foldOnSwitch);
    }
    const SettingsEnabled& on = m_setup.enabled;
    if (on.beats) {
        m_song.beatsPerBar = values->beatsPerBar;
    }
    if (on.bars) {
        m_song.barCount = values->barCount;
    }
    if (on.barLength) {
        m_song.barLengthMm = values->barLengthMm;
    }
    if (on.scale) {
        m_song.pixelsPerQuarter = values->pixelsPerQuarter;
    }
    if (on.transposition) {
        m_song.importTransposition = values->transposition;
    }
    if (on.title) {
        m_song.title = m_title->text().toStdString();
    }
    if (on.author) {
        m_song.author = m_author->text().toStdString();
    }
    m_song.tempo = m_tempo;
    if (m_documentTempo) {
        *m_documentTempo = m_tempo;
    }
    QDialog::accept();
}

void CanvasSettingsDialog::reject()
{
    setClockTempo(static_cast<std::uint32_t>(m_openingTempo));
    QDialog::reject();
}

} // namespace zembra
