#include "app/menu_table.h"

#include "text/string_ids.h"
#include "text/strings.h"
#include "services/command_ids.h"

#include <algorithm>
#include <array>

namespace zembra {

namespace {

using namespace cmd;

constexpr MenuItem kSeparator{0, {}, {}};

constexpr std::array kFileMenu = {
    MenuItem{kFileNew, "新規作成(&N)\tCtrl+N", "New(&N)\tCtrl+N"},
    MenuItem{kFileOpen, "開く(&O)...\tCtrl+O", "Open(&O)...\tCtrl+O"},
    MenuItem{kFileSave, "上書き保存(&S)\tCtrl+S", "Save(&S)\tCtrl+S"},
    MenuItem{kFileSaveAs, "名前を付けて保存(&A)...", "Save As(&A)..."},
    MenuItem{kExportAudio, "オーディオ書き出し(&W)...", "Export Audio(&W)..."},
    kSeparator,
    MenuItem{kBoxFile, "オルゴール(&G)...\tCtrl+B", "Box(&B)...\tCtrl+B"},
    kSeparator,
    MenuItem{kOpenImage, "背景画像を読込む", "Open Image"},
    kSeparator,
    MenuItem{kPrintSetup, "ﾌﾟﾘﾝﾀの設定(&R)...", "Print Setup(&R)..."},
    MenuItem{kPrintPreview, "印刷ﾌﾟﾚﾋﾞｭｰ(&V)", "Preview(&V)"},
    MenuItem{kPrint, "印刷(&P)...\tCtrl+P", "Print(&P)...\tCtrl+P"},
    MenuItem{kExportCardPdf, "カードを PDF に書き出す(&F)...", "Export Card as PDF..."},
    MenuItem{kExportCardCutter, "カッター用にカードを書き出す(&K)...\tCtrl+Shift+E",
             "Export Card for Cutter(&K)...\tCtrl+Shift+E"},
    MenuItem{kPrintCalibration, "校正ストリップを印刷(&B)...", "Print Calibration Strip..."},
    MenuItem{kCalibrationLengths, "校正の測定値を入力(&M)...", "Enter Calibration Lengths..."},
    kSeparator,
    MenuItem{kExit, "ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)", "Exit(&X)"},
};

constexpr std::array kEditMenu = {
    MenuItem{kUndo, "元に戻す(&U)\tCtrl+Z", "Undo(&U)\tCtrl+Z"},
    MenuItem{kRedo, "やり直し(&Y)\tCtrl+Y", "Redo(&Y)\tCtrl+Y"},
    kSeparator,
    MenuItem{kCut, "切り取り(&T)\tCtrl+X", "Cut(&T)\tCtrl+X"},
    MenuItem{kCopy, "ｺﾋﾟｰ(&C)\tCtrl+C", "Copy(&C)\tCtrl+C"},
    MenuItem{kPaste, "貼り付け(&P)\tCtrl+V", "Paste(&P)\tCtrl+V"},
    MenuItem{kSelectAll, "全てを選択(&A)\tCtrl+A", "Select All(&A)\tCtrl+A"},
    MenuItem{kClear, "クリア\tDelete", "Clear\tDelete"},
    kSeparator,
    MenuItem{kDuplicate, "複製(&D)\tCtrl+D", "Duplicate(&D)\tCtrl+D"},
    kSeparator,
    MenuItem{kQuantizeQuarter, "４分音符に整列(&4)\tCtrl+4", "Quantize Q(&4)\tCtrl+4"},
    MenuItem{kQuantize8th, "８分音符に整列(&8)\tCtrl+8", "Quantize 8th(&8)\tCtrl+8"},
    MenuItem{kQuantize16th, "１６分音符に整列(&6)\tCtrl+6", "Quontize 16th(&6)\tCtrl+6"},
    kSeparator,
    MenuItem{kRecording, "リズムに合わせて打込み", "Recording"},
    kSeparator,
    MenuItem{kDistanceCheck, "音符の最小間隔チェック", "Check Distance"},
    MenuItem{kMendCloseHoles, "音が出ない音符を直す(&M)", "Mend notes that will not sound(&M)"},
    MenuItem{kArrangeAgain, "もう一度編曲(&R)...\tCtrl+Shift+A", "Arrange again(&R)...\tCtrl+Shift+A"},
    MenuItem{kSettings, "設定...", "Setting..."},
};

constexpr std::array kPlayMenu = {
    MenuItem{kPlay, "演奏(&P)\tCtrl+R", "Play(&P)\tCtrl+R"},
    MenuItem{kStop, "停止", "Stop"},
    MenuItem{kCrank, "クランクを回す(&K)\tCtrl+K", "Crank(&K)\tCtrl+K"},
    kSeparator,
    MenuItem{kSetTempo, "テンポの設定", "Set tempo"},
    MenuItem{kTempoLock, "テンポをロック", "Adjust tempo"},
    kSeparator,
    MenuItem{kRecording, "キーボードで打込み", "Recording"},
    kSeparator,
};

constexpr std::array kHelpMenu = {
    MenuItem{kHelp, "ヘルプ(&H)", "Help(&H)"},
    kSeparator,
    MenuItem{kAbout, "Kelp のﾊﾞｰｼﾞｮﾝ情報(&A)...", "About this&A)..."},
};

constexpr std::array kMenuBar = {
    MenuPopup{"ﾌｧｲﾙ(&F)", "File(&F)", kFileMenu},
    MenuPopup{"編集(&E)", "Edit(&E)", kEditMenu},
    MenuPopup{"演奏", "Play", kPlayMenu},
    MenuPopup{"ﾍﾙﾌﾟ(&H)", "Help(&H)", kHelpMenu},
};

constexpr std::array kAccelerators = {
    Accelerator{"Ctrl+A", kSelectAll},     Accelerator{"Ctrl+C", kCopy},
    Accelerator{"Ctrl+Insert", kCopy},     Accelerator{"Ctrl+D", kDuplicate},
    Accelerator{"Ctrl+N", kFileNew},       Accelerator{"Ctrl+O", kFileOpen},
    Accelerator{"Ctrl+P", kPrint},         Accelerator{"Ctrl+S", kFileSave},
    Accelerator{"Ctrl+V", kPaste},         Accelerator{"Shift+Insert", kPaste},
    Accelerator{"Ctrl+X", kCut},           Accelerator{"Shift+Delete", kCut},
    Accelerator{"Ctrl+Z", kUndo},          Accelerator{"Alt+Backspace", kUndo},
    Accelerator{"Delete", kClear},         Accelerator{"F1", kHelp},
    Accelerator{"Shift+F1", kContextHelp}, Accelerator{"F6", kNextPane},
    Accelerator{"Shift+F6", kPreviousPane}, Accelerator{"Ctrl+Shift+E", kExportCardCutter},
    // The keys the Edit and Play menus name.
    Accelerator{"Ctrl+Y", kRedo},          Accelerator{"Ctrl+R", kPlay},
    Accelerator{"Ctrl+4", kQuantizeQuarter}, Accelerator{"Ctrl+8", kQuantize8th},
    Accelerator{"Ctrl+6", kQuantize16th},
    Accelerator{"Ctrl+B", kBoxFile},
    Accelerator{"Ctrl+Shift+A", kArrangeAgain},
    Accelerator{"Ctrl+K", kCrank},
};

constexpr std::array kMainToolbar = {
    kFileNew, kFileOpen, kFileSave, 0, kOpenImage, 0, kCut, kCopy, kPaste, 0, kUndo, kRedo, 0, kPrint, 0, kContextHelp,
};

// The spacer buttons (32813) leave a gap; the tempo lock button does not show.
constexpr std::array kCanvasToolbar = {
    kSettings,  0, kDistanceCheck, kValveAssignment, 0, kToolbarSpacer, 0, kUnansweredTool, kDuplicate, 0,
    kToggleSelectMode, kZoomMode, kShiftAfterDragMode, 0, kToolbarSpacer, 0, kQuantizeQuarter, kQuantize8th,
    kQuantize16th, 0, kToolbarSpacer, 0, kRecording, kPlay, kStop, kSetTempo, kTempoLock, 0, kToolbarSpacer, 0,
    kClear,
};

struct PromptOf {
    int command;
    int text;
};

// Buttons whose command has no prompt of its own in the string table.
constexpr PromptOf kButtonPrompts[] = {
    {kToggleSelectMode, str::kPromptToggleSelect},
    {kZoomMode, str::kPromptZoomMode},
    {kShiftAfterDragMode, str::kPromptShiftAfterDrag},
    {kContextHelp, str::kPromptContextHelp},
    {kMendCloseHoles, str::kPromptMend},
    {kBoxFile, str::kPromptBoxFile},
    {kArrangeAgain, str::kPromptArrangeAgain},
    {kCrank, str::kPromptCrank},
};

void eraseAll(std::string& text, std::string_view part)
{
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at)) {
        text.erase(at, part.size());
    }
}

} // namespace

int PromptTextId(int commandId)
{
    if (hasText(commandId)) {
        return commandId;
    }
    const auto* found = std::find_if(std::begin(kButtonPrompts), std::end(kButtonPrompts),
                                     [commandId](const PromptOf& p) { return p.command == commandId; });
    return found == std::end(kButtonPrompts) ? 0 : found->text;
}

std::string CleanMenuText(std::string_view menuText)
{
    std::string clean(menuText.substr(0, menuText.find('\t')));
    // "Save(&S)": the mark in brackets goes with its brackets, a bare "&" alone; "&&" is a real "&".
    for (std::size_t at = clean.find("(&"); at != std::string::npos; at = clean.find("(&", at)) {
        if (at + 3 < clean.size() && clean[at + 3] == ')') {
            clean.erase(at, 4);
        } else {
            ++at;
        }
    }
    std::string plain;
    for (std::size_t i = 0; i < clean.size(); ++i) {
        if (clean[i] == '&') {
            if (i + 1 < clean.size() && clean[i + 1] == '&') {
                plain += '&';
                ++i;
            }
            continue;
        }
        plain += clean[i];
    }
    eraseAll(plain, "...");
    const std::size_t first = plain.find_first_not_of(' ');
    const std::size_t last = plain.find_last_not_of(' ');
    return first == std::string::npos ? std::string() : plain.substr(first, last - first + 1);
}

std::span<const MenuPopup> MainMenu()
{
    return kMenuBar;
}

std::span<const Accelerator> Accelerators()
{
    return kAccelerators;
}

std::span<const int> MainToolbar()
{
    return kMainToolbar;
}

std::span<const int> CanvasToolbar()
{
    return kCanvasToolbar;
}

} // namespace zembra
