#include "import_ui/import_edit_dialog.h"

#include "midi/midi_bytes.h"
#include "midi/midi_out_port.h"
#include "midi/midi_track.h"
#include "midi/sync_clock.h"
#include "import_ui/import_roll_canvas.h"
#include "import/import_roll_writer.h"
#include "text/string_ids.h"
#include "services/command_ids.h"
#include "services/prompts.h"
#include "services/qt_text.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTimer>
#include <QVBoxLayout>

namespace zembra {

namespace {

constexpr int kPlayTickMilliseconds = 10;
constexpr int kTranspositionRange = 12;
// The play line is followed once it passes 90 % of the window, and put back at 70 %.
constexpr int kFollowAtPercent = 90;
constexpr int kFollowToPercent = 70;

QString transpositionText(int semitones)
{
    return semitones > 0 ? QStringLiteral("+%1").arg(semitones) : QString::number(semitones);
}

QPushButton* button(QWidget* parent, const char* name, int textId)
{
    auto* b = new QPushButton(TextOf(textId), parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

} // namespace

ImportEditDialog::ImportEditDialog(const ImportEditRequest& request, QWidget* parent)
    : QDialog(parent)
    , m_request(request)
{
    m_outcome.beatsPerBar = request.beatsPerBar;
    m_outcome.transposition = request.transposition;
    m_outcome.marksWritten = request.marksWritten;
    setWindowTitle(TextOf(str::kEditorTitle));
    BuildControls();
    m_playTimer = new QTimer(this);
    connect(m_playTimer, &QTimer::timeout, this, &ImportEditDialog::OnPlayTimer);
}

ImportEditDialog::~ImportEditDialog()
{
    RestorePort();
}

void ImportEditDialog::BuildControls()
{
    auto* layout = new QVBoxLayout(this);

    auto* settings = new QHBoxLayout;
    settings->addWidget(new QLabel(TextOf(str::kEditorTransposition), this));
    m_transposition = new QComboBox(this);
    m_transposition->setObjectName(QStringLiteral("transposition"));
    for (int s = -kTranspositionRange; s <= kTranspositionRange; ++s) {
        m_transposition->addItem(transpositionText(s));
    }
    settings->addWidget(m_transposition);
    settings->addWidget(new QLabel(TextOf(str::kEditorTimeSignature), this));
    m_beats = new QComboBox(this);
    m_beats->setObjectName(QStringLiteral("timeSignature"));
    m_beats->addItems({QStringLiteral("4"), QStringLiteral("3")});
    settings->addWidget(m_beats);
    m_counts = new QLabel(this);
    m_counts->setObjectName(QStringLiteral("counts"));
    settings->addWidget(m_counts, 1);
    layout->addLayout(settings);

    auto* edits = new QHBoxLayout;
    m_octaveUp = button(this, "octaveUp", str::kEditorOctaveUp);
    m_octaveDown = button(this, "octaveDown", str::kEditorOctaveDown);
    m_selectAll = button(this, "selectAll", str::kEditorSelectAll);
    m_cut = button(this, "cut", str::kEditorCut);
    m_duplicates = button(this, "deleteDuplicates", str::kEditorDeleteDuplicates);
    m_undo = button(this, "undo", str::kEditorUndo);
    for (QPushButton* b : {m_octaveUp, m_octaveDown, m_selectAll, m_cut, m_duplicates, m_undo}) {
        edits->addWidget(b);
    }
    edits->addStretch(1);
    m_play = button(this, "play", str::kEditorPlay);
    m_stop = button(this, "stop", str::kEditorStop);
    m_allNotes = new QRadioButton(TextOf(str::kEditorAllNotes), this);
    m_allNotes->setObjectName(QStringLiteral("allNotes"));
    m_canvasNotes = new QRadioButton(TextOf(str::kEditorCanvasNotesOnly), this);
    m_canvasNotes->setObjectName(QStringLiteral("canvasNotes"));
    auto* group = new QButtonGroup(this);
    group->addButton(m_allNotes);
    group->addButton(m_canvasNotes);
    for (QWidget* w : std::initializer_list<QWidget*>{m_play, m_stop, m_allNotes, m_canvasNotes}) {
        edits->addWidget(w);
    }
    layout->addLayout(edits);

    m_canvas = new ImportRollCanvas(m_editor, this);
    m_canvas->setObjectName(QStringLiteral("roll"));
    layout->addWidget(m_canvas);
    m_scroll = new QScrollBar(Qt::Horizontal, this);
    m_scroll->setObjectName(QStringLiteral("scroll"));
    layout->addWidget(m_scroll);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(TextOf(str::kEditorOk), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("ok"));
    QPushButton* cancel = buttons->addButton(TextOf(str::kEditorCancel), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("cancel"));
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &ImportEditDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &ImportEditDialog::reject);
    connect(m_octaveUp, &QPushButton::clicked, this, &ImportEditDialog::OctaveUp);
    connect(m_octaveDown, &QPushButton::clicked, this, &ImportEditDialog::OctaveDown);
    connect(m_selectAll, &QPushButton::clicked, this, &ImportEditDialog::SelectAll);
    connect(m_cut, &QPushButton::clicked, this, &ImportEditDialog::CutBars);
    connect(m_duplicates, &QPushButton::clicked, this, &ImportEditDialog::DeleteDuplicates);
    connect(m_undo, &QPushButton::clicked, this, &ImportEditDialog::UndoEdit);
    connect(m_play, &QPushButton::clicked, this, &ImportEditDialog::Play);
    connect(m_stop, &QPushButton::clicked, this, &ImportEditDialog::Stop);
    connect(m_transposition, &QComboBox::currentIndexChanged, this, &ImportEditDialog::TranspositionChosen);
    connect(m_beats, &QComboBox::currentIndexChanged, this, &ImportEditDialog::TimeSignatureChosen);
    connect(m_scroll, &QScrollBar::valueChanged, m_canvas, &ImportRollCanvas::setScrollX);
    connect(m_canvas, &ImportRollCanvas::scrolled, this, [this](int x) {
        const QSignalBlocker blocker(m_scroll);
        m_scroll->setValue(x);
    });
    connect(m_canvas, &ImportRollCanvas::resized, this, &ImportEditDialog::SyncScrollBar);
    connect(m_canvas, &ImportRollCanvas::selectionChanged, this, &ImportEditDialog::UpdateControls);
    connect(m_canvas, &ImportRollCanvas::rangePlayRequested, this, &ImportEditDialog::PlayRange);
    connect(m_canvas, &ImportRollCanvas::restartRequested, this, &ImportEditDialog::RestartAt);
}

int ImportEditDialog::Start()
{
    m_playStart = m_playEnd = 0;
    m_rangePlay = false;
    if (m_request.clock && m_request.clock->IsRunning()) {
        m_request.clock->Stop();
        if (m_request.port) {
            m_request.port->Reset();
        }
    }
    const int entries = m_editor.Start(m_request.tracks, m_request.resolution, m_request.beatsPerBar,
                                       m_request.transposition, m_request.marksWritten, m_request.options,
                                       m_request.box);
    SelectCombos();
    m_allNotes->setChecked(true);
    UpdateControls();
    return entries;
}

void ImportEditDialog::SelectCombos()
{
    const ImportRollState& roll = m_editor.state();
    const QSignalBlocker a(m_transposition);
    const QSignalBlocker b(m_beats);
    const int t = m_transposition->findText(transpositionText(roll.transposition));
    m_transposition->setCurrentIndex(t >= 0 ? t : m_transposition->findText(QStringLiteral("0")));
    const int beats = m_beats->findText(QString::number(roll.beatsPerBar));
    m_beats->setCurrentIndex(beats >= 0 ? beats : 0);
}

void ImportEditDialog::SyncScrollBar()
{
    const QSignalBlocker blocker(m_scroll);
    m_scroll->setRange(0, m_canvas->maxScroll());
    m_scroll->setSingleStep(std::max(1, m_canvas->lineStep()));
    m_scroll->setPageStep(std::max(1, m_canvas->pageStep()));
    m_scroll->setValue(m_canvas->scrollX());
}

void ImportEditDialog::UpdateControls()
{
    const ImportRollState& roll = m_editor.state();
    m_counts->setText(Utf8(roll.CountsText()));
    m_undo->setEnabled(CommandEnabled(cmd::kRollUndo));
    m_beats->setEnabled(!roll.timeSignatureLocked());
    SyncScrollBar();
}

void ImportEditDialog::AfterEdit()
{
    m_editor.state().redrawNeeded = false;
    m_canvas->update();
    UpdateControls();
}

bool ImportEditDialog::CommandEnabled(int commandId) const
{
    switch (commandId) {
    case cmd::kRollUndo: return m_editor.canUndo() && !m_playing;
    case cmd::kRollOctaveUp:
    case cmd::kRollOctaveDown:
    case cmd::kRollCut: return true;
    default: return false;
    }
}

bool ImportEditDialog::OnCommand(int commandId)
{
    if (!CommandEnabled(commandId)) {
        return commandId == cmd::kRollUndo;
    }
    switch (commandId) {
    case cmd::kRollOctaveUp: OctaveUp(); return true;
    case cmd::kRollOctaveDown: OctaveDown(); return true;
    case cmd::kRollCut: CutBars(); return true;
    case cmd::kRollUndo: UndoEdit(); return true;
    default: return false;
    }
}

void ImportEditDialog::OctaveUp()
{
    if (m_editor.ShiftOctaves(kOctave)) {
        AfterEdit();
    }
}

void ImportEditDialog::OctaveDown()
{
    if (m_editor.ShiftOctaves(-kOctave)) {
        AfterEdit();
    }
}

void ImportEditDialog::SelectAll()
{
    m_editor.SelectAll();
    AfterEdit();
}

void ImportEditDialog::CutBars()
{
    const std::optional<int> band = m_canvas->lastBandLeft();
    if (m_editor.Cut(band.value_or(0), band.has_value())) {
        AfterEdit();
    }
}

void ImportEditDialog::DeleteDuplicates()
{
    const DuplicateResult result = m_editor.DeleteDuplicates();
    switch (result.outcome) {
    case DuplicateResult::Outcome::TooFewNotes: return;
    case DuplicateResult::Outcome::NoneFound:
        prompts().message(this, TextOf(str::kNoDuplicates), QString(), Prompts::Icon::Information);
        return;
    case DuplicateResult::Outcome::Deleted:
        AfterEdit();
        prompts().message(this, QString::number(result.deleted) + QStringLiteral(" ") + TextOf(str::kDuplicatesDeleted),
                          QString(), Prompts::Icon::Information);
        return;
    }
}

void ImportEditDialog::UndoEdit()
{
    if (!m_playing && m_editor.Undo()) {
        SelectCombos();
        AfterEdit();
    }
}

void ImportEditDialog::TranspositionChosen(int index)
{
    m_editor.SetTransposition(m_transposition->itemText(index).toInt());
    AfterEdit();
}

void ImportEditDialog::TimeSignatureChosen(int index)
{
    if (!m_editor.SetBeatsPerBar(m_beats->itemText(index).toInt())) {
        SelectCombos();
        return;
    }
    AfterEdit();
}

void ImportEditDialog::Play()
{
    if (m_playing) {
        return;
    }
    m_rangePlay = false;
    m_playStart = m_playEnd = 0;
    StartPlaying();
}

void ImportEditDialog::PlayRange(int fromX, int toX)
{
    HaltPlayback();
    m_rangePlay = true;
    m_playStart = std::max(0, fromX);
    m_playEnd = toX;
    StartPlaying();
}

void ImportEditDialog::RestartAt(int rollX)
{
    HaltPlayback();
    m_rangePlay = false;
    m_playEnd = 0;
    // From the quarter note under the click.
    m_playStart = std::max(0, rollX) / ImportRollState::kPixelsPerQuarter * ImportRollState::kPixelsPerQuarter;
    StartPlaying();
}

void ImportEditDialog::StartPlaying()
{
    MidiOutPort* port = m_request.port;
    SyncClock* clock = m_request.clock;
    MidiTrack* track = m_request.playTrack;
    if (!port || !clock || !track) {
        return;
    }
    if (!m_portTaken) {
        // The roll is heard instead of the file: the imported tracks leave the port until the
        // dialog closes.
        for (MidiTrack* imported : m_request.tracks) {
            if (imported && imported->Port() == port) {
                port->Detach(imported);
                m_detached.push_back(imported);
            }
        }
        m_playTrackWasAttached = track->Port() == port;
        m_portTaken = true;
    }
    if (track->Port() != port) {
        port->Attach(track);
    }
    track->Clear();
    m_playTicks = 0;
    for (const MidiEvent& event : m_editor.state().PlayList(m_canvasNotes->isChecked(), m_playStart,
                                                            m_rangePlay ? m_playEnd : 0)) {
        if (!track->Append(event)) {
            break;
        }
        m_playTicks += event.time;
    }
    clock->SetResolution(kTicksPerQuarter);
    port->Reset();
    clock->Start();
    if (port->IsOpen()) {
        port->Flush();
        clock->Pause();
    }
    track->Rewind();
    port->Restart();
    clock->Resume();
    m_playing = true;
    m_canvas->setPlaying(true);
    m_playTimer->start(kPlayTickMilliseconds);
    UpdateControls();
}

void ImportEditDialog::HaltPlayback()
{
    if (!m_playing) {
        return;
    }
    if (m_request.clock) {
        m_request.clock->Stop();
    }
    if (m_request.port) {
        m_request.port->Reset();
    }
    m_playTimer->stop();
    m_playing = false;
    m_canvas->setPlaying(false);
    m_canvas->setPlayLine(std::nullopt);
}

void ImportEditDialog::Stop()
{
    HaltPlayback();
    m_rangePlay = false;
    m_playStart = m_playEnd = 0;
    m_canvas->update();
    UpdateControls();
}

void ImportEditDialog::OnPlayTimer()
{
    if (!m_playing || !m_request.clock) {
        return;
    }
    const std::uint32_t position = m_request.clock->GetPosition();
    if (position >= m_playTicks) {
        Stop();
        return;
    }
    const int x = m_playStart + static_cast<int>(position) * ImportRollState::kPixelsPerQuarter / kTicksPerQuarter;
    m_canvas->setPlayLine(x);
    const int width = m_canvas->width();
    if (x - m_canvas->scrollX() > width * kFollowAtPercent / 100) {
        m_canvas->setScrollX(x - width * kFollowToPercent / 100);
    }
}

void ImportEditDialog::RestorePort()
{
    HaltPlayback();
    if (!m_portTaken || !m_request.port) {
        return;
    }
    MidiOutPort* port = m_request.port;
    if (m_request.playTrack && !m_playTrackWasAttached) {
        port->Detach(m_request.playTrack);
    }
    for (MidiTrack* track : m_detached) {
        port->Attach(track);
    }
    m_detached.clear();
    m_portTaken = false;
}

void ImportEditDialog::accept()
{
    Stop();
    // The marks are written against the tracks as the roll read them, then the flag goes up.
    ImportRollWriter::Write(m_request.tracks, m_editor.state());
    const ImportRollState& roll = m_editor.state();
    m_outcome = {true, roll.beatsPerBar, roll.transposition, true};
    RestorePort();
    QDialog::accept();
}

void ImportEditDialog::reject()
{
    Stop();
    RestorePort();
    QDialog::reject();
}

ImportEditOutcome RunImportEditor(QWidget* parent, const ImportEditRequest& request)
{
    ImportEditDialog dialog(request, parent);
    if (dialog.Start() == 0) {
        prompts().message(parent, TextOf(str::kNoNotesInFile), QString(), Prompts::Icon::Warning);
        return dialog.outcome();
    }
    const int result = prompts().runDialog(dialog);
    ImportEditOutcome outcome = dialog.outcome();
    outcome.accepted = outcome.accepted && result == QDialog::Accepted;
    return outcome;
}

} // namespace zembra
