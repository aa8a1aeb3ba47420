// The menu bar, the keys and both toolbars of the main window, item by item in both languages.
#include "app/document_view_link.h"
#include "app/main_frame.h"
#include "app/menu_table.h"
#include "canvas/kelp_view.h"
#include "document/kelp_doc.h"
#include "text/strings.h"
#include "services/command_ids.h"
#include "services/prompts.h"

#include <QAccessible>
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QWidgetAction>

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <vector>

namespace zembra {
namespace {

using namespace cmd;

struct Row {
    int id; // 0: separator; kRecentFile: one of the recent files, numbered when shown
    const char* japanese;
    const char* english;
};

constexpr int kRecentFile = -1;
constexpr Row kRecent{kRecentFile, "", ""};
// An item the box's sound adds to the Play menu: an action of its own, known by its text.
constexpr int kBoxSoundItem = -2;

struct Popup {
    const char* japanese;
    const char* english;
    std::vector<Row> rows;
};

const Row kSep{0, "", ""};

// The menu bar as the program has always had it; Export Audio, Export Card as PDF, Export Card
// for Cutter, the two calibration commands, Box and Arrange again are this program's own additions.
const std::vector<Popup> kMenuBar = {
    {"ﾌｧｲﾙ(&F)", "File(&F)",
     {{57600, "新規作成(&N)\tCtrl+N", "New(&N)\tCtrl+N"},
      {57601, "開く(&O)...\tCtrl+O", "Open(&O)...\tCtrl+O"},
      {57603, "上書き保存(&S)\tCtrl+S", "Save(&S)\tCtrl+S"},
      {57604, "名前を付けて保存(&A)...", "Save As(&A)..."},
      {32840, "オーディオ書き出し(&W)...", "Export Audio(&W)..."},
      kSep,
      {32870, "オルゴール(&G)...\tCtrl+B", "Box(&B)...\tCtrl+B"},
      kSep,
      {32805, "背景画像を読込む", "Open Image"},
      kSep,
      {57606, "ﾌﾟﾘﾝﾀの設定(&R)...", "Print Setup(&R)..."},
      {57609, "印刷ﾌﾟﾚﾋﾞｭｰ(&V)", "Preview(&V)"},
      {57607, "印刷(&P)...\tCtrl+P", "Print(&P)...\tCtrl+P"},
      {32841, "カードを PDF に書き出す(&F)...", "Export Card as PDF..."},
      {32842, "カッター用にカードを書き出す(&K)...\tCtrl+Shift+E",
       "Export Card for Cutter(&K)...\tCtrl+Shift+E"},
      {32860, "校正ストリップを印刷(&B)...", "Print Calibration Strip..."},
      {32861, "校正の測定値を入力(&M)...", "Enter Calibration Lengths..."},
      kSep,
      kRecent,
      kRecent,
      kRecent,
      kRecent,
      kSep,
      {57665, "ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)", "Exit(&X)"}}},
    {"編集(&E)", "Edit(&E)",
     {{57643, "元に戻す(&U)\tCtrl+Z", "Undo(&U)\tCtrl+Z"},
      {57644, "やり直し(&Y)\tCtrl+Y", "Redo(&Y)\tCtrl+Y"},
      kSep,
      {57635, "切り取り(&T)\tCtrl+X", "Cut(&T)\tCtrl+X"},
      {57634, "ｺﾋﾟｰ(&C)\tCtrl+C", "Copy(&C)\tCtrl+C"},
      {57637, "貼り付け(&P)\tCtrl+V", "Paste(&P)\tCtrl+V"},
      {57642, "全てを選択(&A)\tCtrl+A", "Select All(&A)\tCtrl+A"},
      {57632, "クリア\tDelete", "Clear\tDelete"},
      kSep,
      {32793, "複製(&D)\tCtrl+D", "Duplicate(&D)\tCtrl+D"},
      kSep,
      {32791, "４分音符に整列(&4)\tCtrl+4", "Quantize Q(&4)\tCtrl+4"},
      {32790, "８分音符に整列(&8)\tCtrl+8", "Quantize 8th(&8)\tCtrl+8"},
      {32800, "１６分音符に整列(&6)\tCtrl+6", "Quontize 16th(&6)\tCtrl+6"},
      kSep,
      {32814, "リズムに合わせて打込み", "Recording"},
      kSep,
      {32801, "音符の最小間隔チェック", "Check Distance"},
      {32850, "音が出ない音符を直す(&M)", "Mend notes that will not sound(&M)"},
      {32880, "もう一度編曲(&R)...\tCtrl+Shift+A", "Arrange again(&R)...\tCtrl+Shift+A"},
      {32804, "設定...", "Setting..."}}},
    {"演奏", "Play",
     {{32789, "演奏(&P)\tCtrl+R", "Play(&P)\tCtrl+R"},
      {32788, "停止", "Stop"},
      {32881, "クランクを回す(&K)\tCtrl+K", "Crank(&K)\tCtrl+K"},
      kSep,
      {32809, "テンポの設定", "Set tempo"},
      {32826, "テンポをロック", "Adjust tempo"},
      kSep,
      {32814, "キーボードで打込み", "Recording"},
      kSep,
      {kBoxSoundItem, "鳴らない音符をオルゴールのとおりに演奏", "Play notes that will not sound as the box does"},
      {kBoxSoundItem, "調律", "Tuning"}}},
    {"ﾍﾙﾌﾟ(&H)", "Help(&H)",
     {{57670, "ヘルプ(&H)", "Help(&H)"}, kSep, {57664, "Kelp のﾊﾞｰｼﾞｮﾝ情報(&A)...", "About this&A)..."}}},
};

struct Key {
    const char* keys;
    int id;
};

const std::vector<Key> kAcceleratorTable = {
    {"Ctrl+A", 57642},        {"Ctrl+C", 57634},   {"Ctrl+Insert", 57634}, {"Ctrl+D", 32793},
    {"Ctrl+N", 57600},        {"Ctrl+O", 57601},   {"Ctrl+P", 57607},      {"Ctrl+S", 57603},
    {"Ctrl+V", 57637},        {"Shift+Insert", 57637}, {"Ctrl+X", 57635},  {"Shift+Delete", 57635},
    {"Ctrl+Z", 57643},        {"Alt+Backspace", 57643}, {"Delete", 57632}, {"F1", 57670},
    {"Shift+F1", 57669},      {"F6", 57680},       {"Shift+F6", 57681},    {"Ctrl+Shift+E", 32842},
    {"Ctrl+Y", 57644},        {"Ctrl+R", 32789},   {"Ctrl+4", 32791},      {"Ctrl+8", 32790},
    {"Ctrl+6", 32800},        {"Ctrl+B", 32870},     {"Ctrl+Shift+A", 32880}, {"Ctrl+K", 32881},
};

const std::vector<int> kMainButtons = {57600, 57601, 57603, 0, 32805, 0, 57635, 57634, 57637, 0,
                                       57643, 57644, 0, 57607, 0, 57669};
const std::vector<int> kCanvasButtons = {32804, 0, 32801, 32830, 0, 32813, 0, 32794, 32793, 0, 32795,
                                         32787, 32828, 0, 32813, 0, 32791, 32790, 32800, 0, 32813, 0,
                                         32814, 32789, 32788, 32809, 32826, 0, 32813, 0, 57632};

// What the canvas toolbar shows: -1 is the gap of a spacer button; 32830 and 32794 have no effect
// and are not offered, and the tempo lock shows as a separator.
constexpr int kGap = -1;
const std::vector<int> kCanvasShown = {32804, 0, 32801, 0, kGap, 0, 32793, 0, 32795, 32787, 32828, 0,
                                       kGap, 0, 32791, 32790, 32800, 0, kGap, 0, 32814, 32789, 32788,
                                       32809, 0, 0, kGap, 0, 57632};

struct Button {
    int id;
    const char* japaneseTip;
    const char* englishTip;
    const char* japaneseName;
    const char* englishName;
};

const std::vector<Button> kButtons = {
    {57600, "新規作成", "New", "新規作成", "New"},
    {57601, "開く", "Open", "開く", "Open"},
    {57603, "上書き保存", "Save", "上書き保存", "Save"},
    {32805, "背景画像を読込む", "Open Image", "背景画像を読込む", "Open Image"},
    {57635, "切り取り", "Cut", "切り取り", "Cut"},
    {57634, "ｺﾋﾟｰ", "Copy", "ｺﾋﾟｰ", "Copy"},
    {57637, "貼り付け", "Paste", "貼り付け", "Paste"},
    {57643, "元に戻す", "Undo", "元に戻す", "Undo"},
    {57644, "やり直し", "Redo", "やり直し", "Redo"},
    {57607, "カードを印刷", "Print", "印刷", "Print"},
    {57669, "ヘルプ", "Help", "ヘルプ", "Help"},
    {32804, "設定", "Setting", "設定", "Setting"},
    {32801, "間隔チェック", "check dist.", "音符の最小間隔チェック", "Check Distance"},
    {32793, "複製", "Duplicate", "複製", "Duplicate"},
    {32795, "選択の追加・解除", "Toggle selection", "選択の追加・解除", "Toggle selection"},
    {32787, "拡大表示", "Zoom", "拡大表示", "Zoom"},
    {32828, "ドラッグで後ろをずらす", "Shift after drag", "ドラッグで後ろをずらす", "Shift after drag"},
    {32791, "４分音符に整列", "Quantize Q", "４分音符に整列", "Quantize Q"},
    {32790, "８分音符に整列", "Quantize 8th", "８分音符に整列", "Quantize 8th"},
    {32800, "１６分音符に整列", "Quontize 16th", "１６分音符に整列", "Quontize 16th"},
    {32814, "リズムに合わせて打込み", "Recording", "リズムに合わせて打込み", "Recording"},
    {32789, "演奏", "Play", "演奏", "Play"},
    {32788, "停止", "Stop", "停止", "Stop"},
    {32809, "テンポ", "Tempo", "テンポの設定", "Set tempo"},
    {57632, "クリア", "Clear", "クリア", "Clear"},
};

QString u(const char* text)
{
    return QString::fromUtf8(text);
}

class FrameIn {
public:
    explicit FrameIn(Language language)
        : m_before(zembra::language())
    {
        setLanguage(language);
        view = new CKelpView;
        frame = std::make_unique<CMainFrame>(&doc, view);
        LinkDocumentAndView(doc, *view);
    }
    ~FrameIn()
    {
        frame.reset();
        setLanguage(m_before);
    }

    CKelpDoc doc;
    CKelpView* view;
    std::unique_ptr<CMainFrame> frame;

private:
    Language m_before;
};

const Language kLanguages[] = {Language::Japanese, Language::English};

const char* nameOf(Language language)
{
    return language == Language::Japanese ? "Japanese" : "English";
}

TEST(FrameTables, MenuBarItemByItem)
{
    for (Language language : kLanguages) {
        const bool japanese = language == Language::Japanese;
        FrameIn in(language);
        const QList<QAction*> popups = in.frame->menuBar()->actions();
        ASSERT_EQ(popups.size(), static_cast<qsizetype>(kMenuBar.size()) + 1) << nameOf(language);
        EXPECT_EQ(popups[3]->text(), QStringLiteral("&Midi")) << "the device menu goes before Help";
        for (std::size_t p = 0; p < kMenuBar.size(); ++p) {
            const Popup& expected = kMenuBar[p];
            QAction* popup = popups[static_cast<qsizetype>(p < 3 ? p : p + 1)];
            EXPECT_EQ(popup->text(), u(japanese ? expected.japanese : expected.english)) << nameOf(language);
            ASSERT_NE(popup->menu(), nullptr);
            const QList<QAction*> items = popup->menu()->actions();
            ASSERT_EQ(items.size(), static_cast<qsizetype>(expected.rows.size()))
                << nameOf(language) << " " << expected.english;
            for (std::size_t i = 0; i < expected.rows.size(); ++i) {
                const Row& row = expected.rows[i];
                QAction* item = items[static_cast<qsizetype>(i)];
                const std::string where = std::string(nameOf(language)) + " " + expected.english + " item " +
                    std::to_string(i);
                if (row.id == 0) {
                    EXPECT_TRUE(item->isSeparator()) << where;
                    continue;
                }
                if (row.id == kRecentFile) {
                    EXPECT_EQ(item->objectName(), QStringLiteral("recentFile")) << where;
                    EXPECT_FALSE(item->isVisible()) << where << ": no file opened yet";
                    continue;
                }
                if (row.id != kBoxSoundItem) {
                    EXPECT_EQ(item->data().toInt(), row.id) << where;
                }
                EXPECT_EQ(item->text(), u(japanese ? row.japanese : row.english)) << where;
            }
        }
    }
}

TEST(FrameTables, AcceleratorTableAndNoOtherKeys)
{
    std::map<int, QList<QKeySequence>> expected;
    for (const Key& key : kAcceleratorTable) {
        expected[key.id] << QKeySequence(QString::fromLatin1(key.keys));
    }
    FrameIn in(Language::English);
    std::map<int, QList<QKeySequence>> found;
    for (QAction* act : in.frame->actions()) {
        if (!act->shortcuts().isEmpty()) {
            found[act->data().toInt()] << act->shortcuts();
        }
    }
    EXPECT_EQ(found, expected);
    for (int named : {32791, 32790, 32800, 32789, 57644}) {
        EXPECT_FALSE(in.frame->action(named)->shortcuts().isEmpty()) << named << ": the key its menu item names works";
    }
}

std::vector<int> shownButtons(QToolBar* toolBar)
{
    std::vector<int> shown;
    for (QAction* act : toolBar->actions()) {
        if (act->isSeparator()) {
            shown.push_back(0);
        } else if (qobject_cast<QWidgetAction*>(act)) {
            shown.push_back(kGap);
        } else {
            shown.push_back(act->data().toInt());
        }
    }
    return shown;
}

TEST(FrameTables, ToolbarsButtonByButton)
{
    EXPECT_EQ(std::vector<int>(MainToolbar().begin(), MainToolbar().end()), kMainButtons);
    EXPECT_EQ(std::vector<int>(CanvasToolbar().begin(), CanvasToolbar().end()), kCanvasButtons);
    FrameIn in(Language::English);
    EXPECT_EQ(shownButtons(in.frame->mainToolBar()), kMainButtons);
    EXPECT_EQ(shownButtons(in.frame->canvasToolBar()), kCanvasShown);
}

TEST(FrameTables, EveryButtonHasATipAndACleanName)
{
    for (Language language : kLanguages) {
        const bool japanese = language == Language::Japanese;
        FrameIn in(language);
        std::vector<int> seen;
        for (QToolBar* toolBar : {in.frame->mainToolBar(), in.frame->canvasToolBar()}) {
            for (QAction* act : toolBar->actions()) {
                if (act->isSeparator() || qobject_cast<QWidgetAction*>(act)) {
                    continue;
                }
                const int id = act->data().toInt();
                seen.push_back(id);
                const auto expected = std::find_if(kButtons.begin(), kButtons.end(),
                                                   [id](const Button& b) { return b.id == id; });
                ASSERT_NE(expected, kButtons.end()) << id << " has no row";
                const std::string where = std::string(nameOf(language)) + " " + std::to_string(id);
                EXPECT_EQ(act->toolTip(), u(japanese ? expected->japaneseTip : expected->englishTip)) << where;
                QWidget* button = toolBar->widgetForAction(act);
                ASSERT_NE(button, nullptr) << where;
                QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(button);
                ASSERT_NE(accessible, nullptr) << where;
                EXPECT_EQ(accessible->text(QAccessible::Name),
                          u(japanese ? expected->japaneseName : expected->englishName))
                    << where;
            }
        }
        EXPECT_EQ(seen.size(), kButtons.size()) << nameOf(language);
    }
}

TEST(FrameTables, ARecordingItemPerMenuWithItsOwnText)
{
    FrameIn in(Language::Japanese);
    const std::vector<QAction*> recording = in.frame->commandActions(kRecording);
    ASSERT_EQ(recording.size(), 2u);
    EXPECT_EQ(recording[0]->text(), u("リズムに合わせて打込み"));
    EXPECT_EQ(recording[1]->text(), u("キーボードで打込み"));
    in.frame->updateCommandStates();
    EXPECT_EQ(recording[1]->isEnabled(), recording[0]->isEnabled()) << "both follow the command's state";
    EXPECT_EQ(recording[1]->isCheckable(), recording[0]->isCheckable());

    FrameIn english(Language::English);
    EXPECT_EQ(english.frame->commandActions(kRecording).size(), 1u) << "one text, one action";
}

TEST(MenuText, CleanNames)
{
    struct Case {
        const char* menu;
        const char* clean;
    };
    const Case cases[] = {
        {"New(&N)\tCtrl+N", "New"},
        {"開く(&O)...\tCtrl+O", "開く"},
        {"Save As(&A)...", "Save As"},
        {"Clear\tDelete", "Clear"},
        {"&Midi", "Midi"},
        {"Rock && Roll", "Rock & Roll"},
        {"Open Image", "Open Image"},
        {"", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CleanMenuText(c.menu), c.clean) << c.menu;
    }
}

} // namespace
} // namespace zembra
