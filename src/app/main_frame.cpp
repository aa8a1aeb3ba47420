#include "app/main_frame.h"

#include "app/about_dialog.h"
#include "app/audio_export.h"
#include "ui/command_ids.h"
#include "app/help_file.h"
#include "app/help_window.h"
#include "app/menu_table.h"
#include "ui/prompts.h"
#include "ui/qt_text.h"
#include "ui/settings.h"
#include "text/string_ids.h"
#include "text/strings.h"
#include "app/tempo_dialog.h"
#include "midi/midi_toolkit.h"
#include "midi/notice_pump.h"
#include "canvas/kelp_view.h"
#include "song/kelp_doc.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
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

constexpr std::uint32_t kDefaultTempo = 500000;


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

// Status bar indicators after the message pane, in order.
constexpr int kIndicators[] = {str::kIndicatorX, str::kIndicatorY, str::kIndicatorNoteCount,
                               str::kIndicatorCheck,  str::kIndicatorTempo,  str::kIndicatorTransposition,
                               str::kIndicatorKana,   str::kIndicatorCaps,   str::kIndicatorNum,
                               str::kIndicatorScroll};

// Text of the menu item that carries a command, without its key label.
QString menuTextOf(int commandId)
{
    for (const MenuPopup& popup : MainMenu()) {
        for (const MenuItem& item : popup.items) {
            if (item.id == commandId) {
                return localised(item.japanese, item.english);
            }
        }
    }
    return {};
}

} // namespace

CMainFrame::CMainFrame(CKelpDoc* doc, CKelpView* view, QWidget* parent)
    : QMainWindow(parent)
    , m_pump(std::make_unique<NoticePump>(MidiToolkit::shared()))
    , m_doc(doc)
    , m_view(view)
{
    setObjectName(QStringLiteral("CMainFrame"));
    if (!m_clock.Open(SyncClock::kSettingA, SyncClock::kSettingB)) {
        prompts().message(this, TextOf(str::kMidiSyncOpenFailed), QString(), Prompts::Icon::Warning);
    }
    m_clock.SetTempo(kDefaultTempo);
    setCentralWidget(m_view);
    createActions();
    createMenus();
    createToolBars();
    createStatusBar();
    m_doc->setClock(&m_clock);
    m_view->SetDocument(m_doc);
    // The device menu goes before the last popup, Help.
    m_view->AttachToFrame(&m_clock, menuBar(), m_popups.back()->menuAction());
    setWindowIcon(QIcon(QStringLiteral(":/icons/zembra.svg")));

    connect(m_view, &CKelpView::paneChanged, this, [this](int index, const QString& text) {
        if (index > 0 && index < static_cast<int>(m_panes.size())) {
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
        QTimer::singleShot(0, this, [this] { showAbout(true); });
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

void CMainFrame::createActions()
{
    auto make = [this](int id, const QString& text) {
        if (m_actions.count(id)) {
            return;
        }
        auto* act = new QAction(text, this);
        act->setData(id);
        for (const IconOf& icon : kIcons) {
            if (icon.id == id) {
                act->setIcon(QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(icon.file))));
            }
        }
        const std::string_view prompt = zembra::text(id);
        if (!prompt.empty()) {
            const QString tip = Utf8(prompt);
            act->setStatusTip(tip.section('\n', 0, 0));
            act->setToolTip(tip.section('\n', -1));
        }
        connect(act, &QAction::triggered, this, [this, id] { runCommand(id); });
        addAction(act);
        m_actions[id] = act;
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
        if (id != 0 && id != cmd::kToolbarSpacer) {
            const QString menuText = menuTextOf(id);
            make(id, menuText.isEmpty() ? TextOf(id).section('\n', -1) : menuText);
        }
    }
    make(cmd::kContextHelp, TextOf(cmd::kContextHelp).section('\n', -1));
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
    for (int id : {cmd::kQuantizeQuarter, cmd::kQuantize8th, cmd::kQuantize16th, cmd::kToggleSelectMode, cmd::kZoomMode,
                   cmd::kShiftAfterDragMode, cmd::kDistanceCheck, cmd::kPlay, cmd::kRecording, cmd::kTempoLock}) {
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
            } else {
                menu->addAction(m_actions[item.id]);
            }
        }
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::updateCommandStates);
        m_popups.push_back(menu);
    }
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
        } else if (id == cmd::kValveAssignment) {
            continue; // a button without effect: not offered
        } else {
            toolBar->addAction(m_actions[id]);
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
}

void CMainFrame::updateTitle()
{
    setWindowTitle(m_doc->title() + QStringLiteral(" - ") + QApplication::applicationName());
}

void CMainFrame::updateCommandStates()
{
    const ViewFacts facts = m_view->facts();
    for (const auto& [id, act] : m_actions) {
        const CommandState state = StateOf(id, facts);
        act->setEnabled(state.enabled);
        if (act->isCheckable()) {
            act->setChecked(state.checked);
        }
    }
}

void CMainFrame::runCommand(int commandId)
{
    if (!StateOf(commandId, m_view->facts()).enabled) {
        updateCommandStates();
        return;
    }
    if (m_view->OnCommand(commandId)) {
        updateCommandStates();
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
    case cmd::kHelp:
        showHelp(0);
        break;
    case cmd::kContextHelp:
        showHelp(kHelpContextBase + cmd::kContextHelp);
        break;
    default:
        break;
    }
    updateCommandStates();
}

void CMainFrame::showHelp(int context)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const QString path = HelpFilePath();
    QApplication::restoreOverrideCursor();
    if (!HelpWindow::Show(path, context, this)) {
        prompts().message(this, Utf8(kTextHelpFileMissing).replace(QStringLiteral("%s"), path), QString(),
                          Prompts::Icon::Warning);
    }
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
    event->accept();
}

} // namespace zembra
