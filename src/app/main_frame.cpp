#include "app/main_frame.h"
#include "app/box_sound_menu.h"
#include "services/app_identity.h"

#include "app/document_view_link.h"

#include "app/import_editor_link.h"
#include "app/about_dialog.h"
#include "app/audio_export.h"
#include "app/box_file_command.h"
#include "app/frame_row_follower.h"
#include "app/card_commands.h"
#include "app/context_help_mode.h"
#include "app/crank_pane.h"
#include "app/device_menus.h"
#include "services/command_ids.h"
#include "app/frame_geometry.h"
#include "app/help_file.h"
#include "app/help_window.h"
#include "app/menu_table.h"
#include "services/prompts.h"
#include "services/qt_text.h"
#include "services/settings.h"
#include "text/string_ids.h"
#include "text/strings.h"
#include "app/tempo_dialog.h"
#include "midi/midi_bytes.h"
#include "midi/midi_toolkit.h"
#include "midi/notice_pump.h"
#include "model/song_state.h"
#include "canvas/kelp_view.h"
#include "document/kelp_doc.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QFontMetrics>
#include <QIcon>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

namespace zembra {

namespace {



QString localised(std::string_view japanese, std::string_view english)
{
    return Utf8(language() == Language::Japanese ? japanese : english);
}

struct IconOf {
    int id;
    const char* file;
};

constexpr IconOf kIcons[] = {
    {cmd::kFileNew, "new"},
    {cmd::kFileOpen, "open"},
    {cmd::kFileSave, "save"},
    {cmd::kOpenImage, "open_image"},
    {cmd::kCut, "cut"},
    {cmd::kCopy, "copy"},
    {cmd::kPaste, "paste"},
    {cmd::kUndo, "undo"},
    {cmd::kRedo, "redo"},
    {cmd::kPrint, "print"},
    {cmd::kContextHelp, "context_help"},
    {cmd::kSettings, "settings"},
    {cmd::kDistanceCheck, "distance_check"},
    {cmd::kDuplicate, "duplicate"},
    {cmd::kToggleSelectMode, "toggle_select"},
    {cmd::kZoomMode, "zoom_mode"},
    {cmd::kShiftAfterDragMode, "shift_after_drag"},
    {cmd::kQuantizeQuarter, "quantize_4"},
    {cmd::kQuantize8th, "quantize_8"},
    {cmd::kQuantize16th, "quantize_16"},
    {cmd::kRecording, "recording"},
    {cmd::kPlay, "play"},
    {cmd::kStop, "stop"},
    {cmd::kSetTempo, "tempo"},
    {cmd::kTempoLock, "tempo_lock"},
    {cmd::kClear, "clear"},
    {cmd::kHelp, "help"},
    {cmd::kAbout, "about"},
};

constexpr int kCheckable[] = {cmd::kQuantizeQuarter, cmd::kQuantize8th,         cmd::kQuantize16th,
                              cmd::kToggleSelectMode, cmd::kZoomMode,           cmd::kShiftAfterDragMode,
                              cmd::kDistanceCheck,    cmd::kPlay,               cmd::kRecording,
                              cmd::kTempoLock,        cmd::kCrank};

// Status bar indicators after the message pane, in order.
constexpr int kIndicators[] = {str::kIndicatorX, str::kIndicatorY, str::kIndicatorNoteCount,
                               str::kIndicatorCheck,  str::kIndicatorTempo,  str::kIndicatorTransposition,
                               str::kIndicatorKana,   str::kIndicatorCaps,   str::kIndicatorNum,
                               str::kIndicatorScroll};

// The first menu item that carries a command, or null.
const MenuItem* menuItemOf(int commandId)
{
    for (const MenuPopup& popup : MainMenu()) {
        for (const MenuItem& item : popup.items) {
            if (item.id == commandId) {
                return &item;
            }
        }
    }
    return nullptr;
}

// What the command is called without menu marks: its menu text, else its prompt's tool tip.
QString nameOf(int commandId)
{
    if (const MenuItem* item = menuItemOf(commandId)) {
        return Utf8(CleanMenuText(language() == Language::Japanese ? item->japanese : item->english));
    }
    const int prompt = PromptTextId(commandId);
    return prompt ? TextOf(prompt).section('\n', -1) : QString();
}

// Buttons of the canvas toolbar that no command answers: not offered.
bool offered(int commandId)
{
    return commandId != cmd::kValveAssignment && commandId != cmd::kUnansweredTool;
}

// Commands that write the song report a failure with the save messages.
bool writesTheSong(int commandId)
{
    return commandId == cmd::kFileSave || commandId == cmd::kFileSaveAs;
}

} // namespace

CMainFrame::CMainFrame(CKelpDoc* doc, CKelpView* view, QWidget* parent)
    : QMainWindow(parent)
    , m_pump(std::make_unique<NoticePump>(MidiToolkit::shared()))
    , m_card(std::make_unique<CardCommands>(*this, *view, *doc))
    , m_doc(doc)
    , m_view(view)
{
    setObjectName(QStringLiteral("CMainFrame"));
    m_contextHelp = new ContextHelpMode(this);
    connect(m_contextHelp, &ContextHelpMode::requested, this, &CMainFrame::showHelp);
    if (!m_clock.Open(SyncClock::kSettingA, SyncClock::kSettingB)) {
        prompts().message(this, TextOf(str::kMidiSyncOpenFailed), QString(), Prompts::Icon::Warning);
    }
    m_clock.SetTempo(kDefaultTempo);
    setCentralWidget(m_view);
    new FrameRowFollower(*this, *m_view);
    LinkImportEditor(*m_doc, *m_view);
    createActions();
    createMenus();
    createRecentFiles();
    createToolBars();
    createStatusBar();
    m_doc->setClock(&m_clock);
    LinkDocumentAndView(*m_doc, *m_view);
    // The device menu goes before the last popup, Help; it lives as long as the canvas it switches.
    const DeviceMenus menus = DeviceMenus::Build(menuBar(), m_popups.back()->menuAction(), m_view);
    m_view->AttachToFrame(&m_clock, menus.outputs, menus.inputs);
    BoxSoundMenu::Attach(m_popups, *m_view, this);
    setWindowIcon(QIcon(QStringLiteral(":/icons/zembra.svg")));

    connect(m_view, &CKelpView::paneChanged, this, [this](int index, const QString& text) {
        if (index >= 0 && index < static_cast<int>(m_panes.size())) {
            m_panes[static_cast<std::size_t>(index)]->setText(text);
        }
    });
    for (int i = 1; i < kPaneCount; ++i) {
        if (!m_view->paneText(i).isEmpty()) {
            m_panes[static_cast<std::size_t>(i)]->setText(m_view->paneText(i));
        }
    }
    connect(m_view, &CKelpView::stateChanged, this, &CMainFrame::updateCommandStates);
    connect(m_view, &CKelpView::splashRequested, this, [this] {
        if (m_startupSplash) {
            QTimer::singleShot(0, this, [this] { showAbout(true); });
        }
    });
    connect(m_doc, &CKelpDoc::titleChanged, this, &CMainFrame::updateTitle);
    updateTitle();
    updateCommandStates();
}

CMainFrame::~CMainFrame()
{
    m_view->DetachFromFrame();
}

QAction* CMainFrame::action(int commandId) const
{
    const auto found = m_actions.find(commandId);
    return found == m_actions.end() ? nullptr : found->second;
}

QAction* CMainFrame::makeAction(int id, const QString& text)
{
    auto* act = new QAction(text, this);
    act->setData(id);
    for (const IconOf& icon : kIcons) {
        if (icon.id == id) {
            act->setIcon(QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(icon.file))));
        }
    }
    const QString name = nameOf(id);
    act->setIconText(name);
    const int prompt = PromptTextId(id);
    if (prompt != 0) {
        const QString tip = TextOf(prompt);
        act->setStatusTip(tip.section('\n', 0, 0));
        act->setToolTip(tip.section('\n', -1));
    } else {
        act->setToolTip(name);
    }
    connect(act, &QAction::triggered, this, [this, id] { runCommand(id); });
    addAction(act);
    return act;
}

void CMainFrame::createActions()
{
    auto make = [this](int id, const QString& text) {
        if (!m_actions.count(id)) {
            m_actions[id] = makeAction(id, text);
        }
    };
    for (const MenuPopup& popup : MainMenu()) {
        for (const MenuItem& item : popup.items) {
            if (item.id != 0) {
                make(item.id, localised(item.japanese, item.english));
            }
        }
    }
    // Commands that only the toolbars or the keys carry.
    for (int id : CanvasToolbar()) {
        if (id != 0 && id != cmd::kToolbarSpacer && offered(id)) {
            make(id, nameOf(id));
        }
    }
    make(cmd::kContextHelp, nameOf(cmd::kContextHelp));
    make(cmd::kNextPane, QString());
    make(cmd::kPreviousPane, QString());

    for (const auto& [id, act] : m_actions) {
        QList<QKeySequence> keys;
        for (const Accelerator& accelerator : Accelerators()) {
            if (accelerator.id == id) {
                keys << QKeySequence(QString::fromLatin1(accelerator.keys.data(),
                                                         static_cast<qsizetype>(accelerator.keys.size())));
            }
        }
        act->setShortcuts(keys);
        // The menu text names the key itself; Qt would otherwise add it a second time.
        act->setShortcutVisibleInContextMenu(false);
    }
    for (int id : kCheckable) {
        m_actions[id]->setCheckable(true);
    }
}

void CMainFrame::createMenus()
{
    for (const MenuPopup& popup : MainMenu()) {
        QMenu* menu = menuBar()->addMenu(localised(popup.japanese, popup.english));
        for (const MenuItem& item : popup.items) {
            if (item.id == 0) {
                menu->addSeparator();
                continue;
            }
            QAction* act = m_actions[item.id];
            const QString text = localised(item.japanese, item.english);
            // One command may read differently in each menu (recording: by the rhythm in Edit,
            // from the keyboard in Play); such an item gets an action of its own.
            if (act->text() != text) {
                QAction* copy = makeAction(item.id, text);
                copy->setCheckable(act->isCheckable());
                m_menuCopies.push_back(copy);
                act = copy;
            }
            menu->addAction(act);
        }
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::updateCommandStates);
        m_popups.push_back(menu);
    }
}

std::vector<QAction*> CMainFrame::commandActions(int commandId) const
{
    std::vector<QAction*> found;
    if (QAction* act = action(commandId)) {
        found.push_back(act);
    }
    for (QAction* copy : m_menuCopies) {
        if (copy->data().toInt() == commandId) {
            found.push_back(copy);
        }
    }
    return found;
}

void CMainFrame::fillToolBar(QToolBar* toolBar, std::span<const int> commands)
{
    toolBar->setIconSize(QSize(16, 16));
    for (int id : commands) {
        if (id == 0 || id == cmd::kTempoLock) {
            toolBar->addSeparator();
        } else if (id == cmd::kToolbarSpacer) {
            auto* gap = new QWidget(toolBar);
            gap->setFixedWidth(16);
            toolBar->addWidget(gap);
        } else if (!offered(id)) {
            continue;
        } else {
            QAction* act = m_actions[id];
            toolBar->addAction(act);
            // Screen readers read the button by this name, without menu marks or keys.
            if (QWidget* button = toolBar->widgetForAction(act)) {
                button->setAccessibleName(act->iconText());
            }
        }
    }
}

void CMainFrame::createToolBars()
{
    m_mainToolBar = addToolBar(QStringLiteral("Main"));
    m_mainToolBar->setObjectName(QStringLiteral("MainToolBar"));
    fillToolBar(m_mainToolBar, MainToolbar());
    m_canvasToolBar = new QToolBar(QStringLiteral("Canvas"), this);
    m_canvasToolBar->setObjectName(QStringLiteral("CanvasToolBar"));
    addToolBar(Qt::BottomToolBarArea, m_canvasToolBar);
    fillToolBar(m_canvasToolBar, CanvasToolbar());
}

void CMainFrame::createStatusBar()
{
    QStatusBar* bar = statusBar();
    m_panes[0] = new QLabel(bar);
    bar->addWidget(m_panes[0], 1);
    bar->addPermanentWidget(new CrankPane(*m_view, bar));
    for (std::size_t i = 0; i < std::size(kIndicators); ++i) {
        auto* label = new QLabel(bar);
        label->setFrameShape(QFrame::Panel);
        label->setFrameShadow(QFrame::Sunken);
        const QString sizing = TextOf(kIndicators[i]);
        label->setMinimumWidth(QFontMetrics(label->font()).horizontalAdvance(sizing) + 8);
        label->setAlignment(Qt::AlignCenter);
        bar->addPermanentWidget(label);
        m_panes[i + 1] = label;
    }
    static_assert(std::tuple_size_v<decltype(m_panes)> == str::kPaneTextCount);
    for (std::size_t i = 0; i < m_panes.size(); ++i) {
        const int pane = static_cast<int>(i);
        m_panes[i]->setAccessibleName(TextOf(str::kPaneNameFirst + 2 * pane));
        m_panes[i]->setToolTip(TextOf(str::kPaneTipFirst + 2 * pane));
    }
}

void CMainFrame::updateTitle()
{
    setWindowTitle(m_doc->title() + QStringLiteral(" - ") + ProductName());
}

void CMainFrame::updateCommandStates()
{
    const ViewFacts facts = m_view->facts();
    auto apply = [&facts](QAction* act) {
        const CommandState state = StateOf(act->data().toInt(), facts);
        act->setEnabled(state.enabled);
        if (act->isCheckable()) {
            act->setChecked(state.checked);
        }
    };
    for (const auto& entry : m_actions) {
        apply(entry.second);
    }
    for (QAction* copy : m_menuCopies) {
        apply(copy);
    }
}

void CMainFrame::runCommand(int commandId)
{
    runGuarded([this, commandId] { carryOut(commandId); }, writesTheSong(commandId));
    updateCommandStates();
}

void CMainFrame::runGuarded(const std::function<void()>& work, bool writesSong)
{
    // Work runs from the event loop, which no exception may cross: work that fails half-way
    // (out of memory, most likely) puts the song back as it was and says so.
    std::unique_ptr<SongState> before;
    try {
        before = std::make_unique<SongState>(m_view->song());
        work();
    } catch (...) {
        try {
            if (before) {
                m_view->song() = *before;
                m_view->Repaint();
            }
            const QString text = writesSong
                ? TextOf(str::kSaveFailed) + QStringLiteral("(4)\n") + TextOf(str::kSaveRetry)
                : TextOf(str::kCommandFailed);
            prompts().message(this, text, QString(), Prompts::Icon::Warning);
        } catch (...) {
            // Not even the message could be made: the song is back, and the program goes on.
        }
    }
}

void CMainFrame::carryOut(int commandId)
{
    if (!StateOf(commandId, m_view->facts()).enabled) {
        return;
    }
    if (m_view->OnCommand(commandId)) {
        return;
    }
    switch (commandId) {
    case cmd::kFileNew:
        m_doc->NewSong();
        break;
    case cmd::kFileOpen:
        m_doc->OpenSong();
        break;
    case cmd::kFileSave:
        m_doc->SaveSong(m_doc->filePath());
        break;
    case cmd::kFileSaveAs:
        m_doc->SaveSong(QString());
        break;
    case cmd::kOpenImage:
        m_doc->OpenBackground();
        break;
    case cmd::kExit:
        close();
        break;
    case cmd::kAbout:
        showAbout(false);
        break;
    case cmd::kSetTempo:
        showTempoDialog();
        break;
    case cmd::kExportAudio:
        AudioExport::Run(*m_view, this);
        break;
    case cmd::kPrint:
        m_card->flow().PrintCommand();
        break;
    case cmd::kPrintPreview:
        m_card->flow().PreviewCommand();
        break;
    case cmd::kPrintSetup:
        m_card->flow().PrintSetupCommand();
        break;
    case cmd::kExportCardPdf:
        m_card->flow().ExportPdfCommand();
        break;
    case cmd::kExportCardCutter:
        m_card->cutter().ExportCommand();
        break;
    case cmd::kPrintCalibration:
        m_card->calibration().PrintStripCommand();
        break;
    case cmd::kCalibrationLengths:
        m_card->calibration().LengthsCommand();
        break;
    case cmd::kBoxFile:
        ChooseBoxFile(*m_view, this);
        break;
    case cmd::kHelp:
        showHelp(0);
        break;
    case cmd::kContextHelp:
        m_contextHelp->Begin();
        break;
    case cmd::kNextPane:
    case cmd::kPreviousPane:
        movePaneFocus(commandId == cmd::kNextPane);
        break;
    default:
        break;
    }
}

void CMainFrame::showHelp(int context)
{
    // Whatever was being tracked (context help, an open menu, a drag holding the mouse) ends first.
    m_contextHelp->End();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    // Popups stack (a submenu over its menu); each close uncovers the next one.
    for (int i = 0; i < 8 && QApplication::activePopupWidget(); ++i) {
        QApplication::activePopupWidget()->close();
    }
    if (QWidget* grabber = QWidget::mouseGrabber()) {
        grabber->releaseMouse();
    }
    const QString path = m_helpFile.isEmpty() ? HelpFilePath() : m_helpFile;
    const bool shown = HelpWindow::Show(path, context, this);
    QApplication::restoreOverrideCursor();
    if (!shown) {
        prompts().message(this, Utf8(kTextHelpFileMissing).replace(QStringLiteral("%s"), path), QString(),
                          Prompts::Icon::Warning);
    }
}

void CMainFrame::movePaneFocus(bool forward)
{
    const std::array<QWidget*, 3> panes = {m_view, m_mainToolBar, m_canvasToolBar};
    const QWidget* focus = QApplication::focusWidget();
    int current = -1;
    for (std::size_t i = 0; i < panes.size(); ++i) {
        if (focus && (focus == panes[i] || panes[i]->isAncestorOf(focus))) {
            current = static_cast<int>(i);
        }
    }
    QWidget* pane = panes[static_cast<std::size_t>(NextPane(current, static_cast<int>(panes.size()), forward))];
    // A toolbar takes the focus on its first button that can be used.
    if (auto* toolBar = qobject_cast<QToolBar*>(pane)) {
        for (QAction* act : toolBar->actions()) {
            QWidget* button = toolBar->widgetForAction(act);
            if (button && act->isEnabled() && !act->isSeparator()) {
                button->setFocus(Qt::TabFocusReason);
                return;
            }
        }
    }
    pane->setFocus(Qt::TabFocusReason);
}

void CMainFrame::showTempoDialog()
{
    TempoDialog dialog(*m_view, m_clock, this);
    if (prompts().runDialog(dialog) == QDialog::Accepted) {
        m_view->Repaint();
    }
}

void CMainFrame::showAbout(bool splash)
{
    AboutDialog dialog(splash, this);
    prompts().runDialog(dialog);
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    // While print preview is shown the window stays.
    if (m_printPreview) {
        event->ignore();
        return;
    }
    if (!m_doc->QuerySave(false)) {
        event->ignore();
        return;
    }
    settings::SavePrinterSettings(applicationDevMode());
    emit closing();
    event->accept();
}

} // namespace zembra
