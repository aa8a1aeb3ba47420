#include "text/strings.h"

#include <algorithm>
#include <iterator>
#include <vector>

#include "text/added_texts.h"
#include "text/string_ids.h"

namespace zembra {
namespace {

// Ordered by id. Where a text exists in one language only, both columns hold it.
constexpr TextEntry kTable[] = {
    {str::kPromptDistanceCheck,
     "印刷カード上で最小の穴間隔をチェックします\n"
     "間隔チェック",
     "Check permissible distance between note\n"
     "check dist."},
    // The English text is this program's own; the Japanese is the one the program always had.
    {str::kPromptSetTempo,
     "試奏時のテンポを設定します。\n"
     "テンポ",
     "Set the tempo at which the song plays\n"
     "Tempo"},
    {str::kPromptValveAssignment, "弁への音の割付状況を表示します。",
     "Show how the notes are shared out among the teeth of the comb."},
    {str::kNoDefaultPrinter,
     "通常使うプリンタが設定されていません\n"
     "コントロールパネルで設定してください\n"
     "このままではカードの印刷ができないか　エラーになります。",
     "Warning! Setup the printer"},
    {str::kFontFace, "ＭＳ　ゴシック", "Arial"},
    {str::kCanvasHint,
     "キャンバス（画面）上で\n"
     "マウスの“右ボタン”を\n"
     "押すと音符が作れます。",
     "Hit right button of mouse.  You can make note."},
    {str::kPrintIncomplete,
     "何らかの原因で全ての内容が印刷できませんでした。\n"
     "再度印刷すれば　正常になるかもしれません。\n"
     "例えば　２ページ目のみ印刷してみる　などしてみてください。\n"
     "やってみてください。",
     "Warning!  Print operation is incomplete.  Please try again."},
    {str::kCanvasSettingsInfo, "キャンバスの設定をしてください。", "Set the music info."},
    {str::kTemporaryTranspositionLabel, "キャンバス上で臨時の移調", "Temporary transposition"},
    {str::kDeviceMayNotSound, "あなたが選択したデバイス", "The device which you chose may not operate normally."},
    // Japanese: only the beginning of the text.
    {str::kDeviceMayNotSoundAdvice, "は音が鳴らないかもしれません", "..."},
    {str::kPieces, "個", " pieces"},
    {str::kImportableNotes, "取り込める音符", " importable note :"},
    {str::kNotImportableNotes, "取り込めない音符 = ", " non importation note : "},
    {str::kImportCaption, "Midiファイル読込み　（設定）", "setting music info. at openning Midi file"},
    {str::kPrintImageLoadFailed, "イメージ読込エラー", "Warning! an error ocupied during image file openning."},
    // Japanese: only the beginning of the text.
    {str::kMidiOutOpenFailed,
     "Midi　(out)  系にエラーが起きました　おそらく音がでないと思います。",
     "Warning! an error ocupied during Midi out port  openning."},
    {str::kKeyNameC, "C", "C"},
    {str::kKeyNameCSharp, "C#", "C#"},
    {str::kKeyNameD, "D", "D"},
    {str::kKeyNameEFlat, "E♭", "Eb"},
    {str::kKeyNameE, "E", "E"},
    {str::kKeyNameF, "F", "F"},
    {str::kKeyNameFSharp, "F#", "F#"},
    {str::kKeyNameG, "G", "G"},
    {str::kKeyNameAFlat, "A♭", "Ab"},
    {str::kKeyNameA, "A", "A"},
    {str::kKeyNameBFlat, "B♭", "Bb"},
    {str::kKeyNameB, "B", "B"},
    {str::kMinorNameA, "Am", "Am"},
    {str::kMinorNameBFlat, "B♭m", "Bbm"},
    {str::kMinorNameB, "Bm", "Bm"},
    {str::kMinorNameC, "Cm", "Cm"},
    {str::kMinorNameCSharp, "C#m", "C#m"},
    {str::kMinorNameD, "Dm", "Dm"},
    {str::kMinorNameDSharp, "D#m", "D#m"},
    {str::kMinorNameE, "Em", "Em"},
    {str::kMinorNameF, "Fm", "Fm"},
    {str::kMinorNameFSharp, "F#m", "F#m"},
    {str::kMinorNameG, "Gm", "Gm"},
    {str::kMinorNameGSharp, "G#m", "G#m"},
    {str::kTrackCreateFailed,
     "SMF読み込み時（トラック生成）にエラーが発生しました。\n"
     "おそらくメモリ不足か、読込もうとしたファイルに何らかの問題があると\n"
     "思われます。　以降　おかしな動きをすることが考えられますので\n"
     "念のためコンピュータを再起動されることをお勧めします。",
     "Warning! an error ocupied during Midi file openning. \n"
     " (impossible making tracs)"},
    {str::kTrackReadFailed,
     "Midiファイルを読み込み処理中にエラーが発生しました。\n"
     "もう一度トライしてみてください。\n"
     "ひょっとしたらファイルが壊れている可能性も否定できません\n"
     "だめな場合はコンピュータを再起動してみるのも手でしょう。",
     "Warning! an error ocupied during Midi file openning."},
    {str::kTagBarLengthOpen, "<LP>", "<LP>"},
    {str::kTagBarLengthClose, "</LP>", "</LP>"},
    {str::kTagScaleOpen, "<HP>", "<HP>"},
    {str::kTagScaleClose, "</HP>", "</HP>"},
    {str::kTagBarsOpen, "<P>", "<P>"},
    {str::kTagBarsClose, "</P>", "</P>"},
    {str::kTagTitleOpen, "<TL>", "<TL>"},
    {str::kTagTitleClose, "</TL>", "</TL>"},
    {str::kImageLoadFailed,
     "画像ファイルを読み込もうとしてエラーが起きました。\n"
     "念のため現在の曲を保存してコンピュータを再起動することをお勧めします。",
     "Warning! an error ocupied during Image file openning."},
    {str::kSongTrackName, "MusicBox", "MusicBox"},
    {str::kInitFailed,
     "Zembraの初期化中にエラーが起きてしまいました。\n"
     "直前に保存を行った場合 それはうまくいっていると思います。\n"
     "大変申し訳ありませんが Zembraを一旦終了させて\n"
     "もう一度起動させてください。",
     "Warning! an error ocpied during Zembra initializing."},
    {str::kCannotOpenFile, "このファイルは開けません", "cannot open."},
    {str::kNothingToSave,
     "キャンバスに音符がありませんので保存できません。",
     "Warning!  Cannot save. because non of note on this canvas.  "},
    {str::kTagAuthorOpen, "<AU>", "<AU>"},
    {str::kTagAuthorClose, "</AU>", "</AU>"},
    {str::kSaveOpenFailed,
     "ファイル保存ができませんでした。\n"
     " ファイルが読み取り専用になっているかもしれません。\n"
     "★どうしても保存する場合は\n"
     "ファイルメニューから“名前を付けて保存”をすればいいでしょう。\n",
     "Waruning! Cannot save.  This file attributes read only?  "},
    {str::kSaveFailed, "保存がうまくいきませんでした。", "Warning! Cannot save"},
    {str::kSaveRetry,
     "再度やってみてください。\n"
     "だめな場合は一旦コンピュータを再起動されることをお勧めします。",
     "please try again!"},
    {str::kMidiFileOpenFailed,
     "Midiファイルを開くことができませんでした。\n"
     "ファイルが壊れているかもしれません。確認されるといいでしょう。\n"
     "このメッセージが表示されるまで長くかかった場合などは念のためコンピュータを再起動されることをお勧めします。\n",
     "Warning! Cannot open Midi file.  file damaged or not exist ??"},
    {str::kMinorNameASharp, "A#m", "A#m"},
    {str::kKeyNameDFlat, "D♭", "Db"},
    {str::kKeyNameGFlat, "G♭", "Gb"},
    {str::kKeyNameCFlat, "C♭", "Cb"},
    {str::kMinorNameEFlat, "E♭m", "Ebm"},
    {str::kMinorNameAFlat, "A♭m", "Abm"},
    {str::kNoNotesInFile, "指定のファイルには取り込む音符がありません", "Warning! non of  note in this file."},
    {str::kEditorHintRangePlay,
     "Ctrl + Shiftキーを押しながらドラッグ　→　その範囲がPlayされます。",
     "Drag with \"Ctrl\" and \"Shift\" Key --> Play a part"},
    {str::kEditorHintMagnifier,
     "Ctrlキーを押しながらマウスを動かす　→　拡大表示されます。",
     "Move mouse with \"Ctrl\" key  --> Zoom display"},
    {str::kEditorHintCut,
     "音符を選択 →　切取って詰めるボタン　→　小節単位で切り取って左に詰めます。",
     "Push \"Cut\" button after selecting note --> Cut the selected note part."},
    {str::kEditorHintOctave,
     "音符を選択　→　オクターブ上げる（下げる）ボタン　→　上下に移動できます。",
     "Push \"Octave Up\" or \"Ocvave Down\" button after selecting note --> Move octave Up/Down."},
    {str::kEditorHintDuplicates,
     "重複削除ボタン　→　重なっている無駄な音の片方を削除します。",
     "Push \"Del. overlapped\" button --> Delete either note what is overlapped."},
    {str::kEditorHintUndo, "この画面上では　元に戻す　操作は直前に行った一回だけです。", "You can undo operation only at once."},
    {str::kDuplicatesDeleted, "ケの音符が重複していたので削除しました。", "note is overlapped.  It's deleted."},
    {str::kNoDuplicates, "重複していた音符はありませんでした。", "No overlapped note"},
    {str::kNotSoundableCount, "音が出ない音符数 : ", "Not soundable note :"},
    {str::kImportedMark, "Zembra", "imported"},
    {str::kNoAuthor, "<なし>", "<non>"},
    {str::kDefaultTitle, "私の作品", "My Music"},
    {str::kNoteLimit, "これ以上音符を作れません。", "Warning! Limit of note number on work"},
    {str::kCheckParameters, "設定パラメータを確認してください。", "Warning! Check parameter."},
    {str::kMidiSyncOpenFailed,
     "Midi　(sync)  系にエラーが起きました\n"
     "もしかしたら他にMidiを使うアプリケーションが動作しているかもしれません。\n"
     "一旦終了して、念のためコンピュータを再起動することをお勧めします。",
     "Warning! an error ocupied during Midi setting. (Sync)"},
    {str::kSaveQuestion, "キャンバス上にある作品 （曲） を保存しておきますか？", "Do you save music?"},
    {str::kSaveReturn, "戻　る", "return"},
    {str::kSaveDiscard, "保存しない", "Do not  Save"},
    {str::kSaveConfirm, "保存する", "Save"},
    {str::kSaveAsCheck, "名前を付けて保存", "Save As"},
    {str::kPrintLoadImage, "背景画像を読込", "Import Image"},
    {str::kPrintReleaseImage, "背景画像を消す", "Release Image"},
    {str::kPrintPaperSetting, "用紙設定", "Paper Setting"},
    {str::kPrintPreview, "プレビュー", "Preview"},
    {str::kPrintPrint, "カード印刷", "Print"},
    {str::kPrintCancel, "ｷｬﾝｾﾙ", "Cancel"},
    {str::kPrintFitSong, "曲をカードいっぱいに", "Adjust sheet to music length"},
    {str::kPrintRuledLines, "罫線を入れる", "Draw line"},
    {str::kPrintSwapHighLow, "高音・低音を裏返しに", "inside-out"},
    {str::kPrintRepeatImage, "画像をくり返し", "Repeat the images"},
    {str::kPrintMirrorCard, "カード左右を逆に", "Converse right and left"},
    {str::kPrintThickLines, "罫線を太く", "Thick line"},
    {str::kPrintBlackLines, "黒く", "Black line"},
    {str::kPrintBarLengthLabel, "小節の長さ(mm)", "Length of measure (mm)"},
    {str::kPrintDialogTitle, "カード印刷設定", "Setting print info."},
    // Captions of the import edit dialog; the Japanese ones are those of its template.
    {str::kEditorPlay, "Play", "Play"},
    {str::kEditorStop, "Stop", "Stop"},
    {str::kEditorOctaveUp, "↑ オクターブ上げる", "Oct. Up"},
    {str::kEditorOctaveDown, "↓ オクターブ下げる", "Oct. Down"},
    {str::kEditorSelectAll, "全ての音符を選択", "Select All"},
    {str::kEditorCut, "切取って詰める", "Cut"},
    {str::kEditorDeleteDuplicates, "重複削除", "Del. overlapped"},
    {str::kEditorUndo, "元に戻す", "Undo"},
    {str::kEditorCancel, "ｷｬﾝｾﾙ", "Cancel"},
    {str::kEditorOk, "OK", "OK"},
    {str::kEditorAllNotes, "全ての音", "All note"},
    {str::kEditorCanvasNotesOnly, "キャンバスの音のみ", "Importable note only "},
    {str::kEditorTimeSignature, "拍子", "Time signature"},
    {str::kEditorTransposition, "移調", "Transposition"},
    {str::kEditorTitle, "MIDI　インポートデータの編集", "Edit Midi data for import"},
    {str::kSettingsTitleLabel, "曲名", "Title"},
    {str::kSettingsAuthorLabel, "作者", "Auth."},
    {str::kSettingsBeatsLabel, "拍子", "Time signature"},
    {str::kSettingsBeatsHelp,
     "4/4 か 3/4　\n"
     "       6/8は3/4と読み替えてください。",
     "4/4 or 3/4 (take 6/8 as 3/4)"},
    {str::kSettingsBarCountLabel, "小節数", "Number of bars"},
    {str::kSettingsBarCountHelp, "小さくする場合は注意　はみだした音符は消されてしまいます。",
     "Fewer bars delete the notes past the end."},
    {str::kSettingsBarLengthLabel, "小節長（ｍｍ）", "Bar length (mm)"},
    {str::kSettingsScaleLabel, "画面上の一拍長さ", "Width of a beat on screen"},
    {str::kImportTranspositionLabel, "SMF取込時の移調", "Transposition operation at the Midi file opening."},
    {str::kSettingsTempoLabel, "試奏時のテンポ", "Playback tempo"},
    {str::kSettingsEditorButton, ">>エディタ", ">>Editor"},
    {str::kSettingsCancel, "ｷｬﾝｾﾙ", "Cancel"},
    {str::kSettingsOk, "OK", "OK"},
    {str::kSettingsCaption, "キャンバスの設定", "Setting Music Parameter"},
    {str::kSettingsInfoDefault, "設定内容", "Setting info."},
    {str::kEditorCanvasLimitLead, "但しキャンバス上には", " but importable only."},
    {str::kEditorCanvasLimitTail, "まで", " note on music."},
    {str::kEditorCounts,
     "取り込める音符 = %d %s\n"
     "取り込めない音符 = %d",
     "importable note :  %d %s\n"
     "non : %d"},
    {str::kMoveClearsNotes,
     "音符を移動するといくつかがキャンバス外に出て\n"
     "消えてしまいますが　いいですか？",
     "On this operation,  clear some note. \n"
     "Do you wish?"},
    {str::kMoveCaption, "移動", "Move"},
    {str::kUntitled, "名称未設定", "Untitled"},
    {str::kPrintTextColour, "文字の色", "Color"},
    {str::kPrintDefaultColour, "標準色", "Nomal"},
    {str::kPrintTwoRows, "２段", "2pieces"},
    {str::kMovementLabel, "【33ノート用】", "\"33 note movement\""},
    // The product, its edition and version, as the about box shows them.
    {str::kAboutEdition, "Zembra　33ノート版　Ver 1.1.0b", "Zembra  33 note edition  Ver 1.1.0b"},
    // Audio export.
    {str::kAppTitle, "Zembra108", "Zembra108b"},
    {str::kPromptPrint,
     "演奏用のカードを印刷する設定画面が出ます\n"
     "カードを印刷",
     "Print\n"
     "Print"},
    {str::kPromptPreview,
     "印刷ｲﾒｰｼﾞを表示\n"
     "印刷ﾌﾟﾚﾋﾞｭｰ",
     "Preview\n"
     "Preview"},
    {str::kIndicatorCaps, "CAP", "CAP"},
    {str::kIndicatorNum, "NUM", "NUM"},
    {str::kIndicatorScroll, "SCRL", "SCRL"},
    {str::kIndicatorKana, "ｶﾅ", "KANA"},
    {str::kIndicatorNoteCount, "音符", "NOTE"},
    {str::kIndicatorX, "LocalX", "LocalX"},
    {str::kIndicatorY, "LocalY", "LocalY"},
    {str::kIndicatorCheck, "Check", "Check"},
    {str::kIndicatorTempo, "Tempo", "Tempo"},
    {str::kIndicatorTransposition, "xxxxxxxxxxx", "xxxxxxxxxxx"},
};

constexpr bool strictlyAscending()
{
    return std::adjacent_find(std::begin(kTable), std::end(kTable),
                              [](const TextEntry& a, const TextEntry& b) { return a.id >= b.id; })
        == std::end(kTable);
}
static_assert(strictlyAscending(), "the string table must be ordered by id without repeats");

} // namespace

std::span<const TextEntry> textTable()
{
    // The program's own texts fill one run of ids; merged once into the single ordered table.
    static const std::vector<TextEntry> merged = [] {
        std::vector<TextEntry> all(std::begin(kTable), std::end(kTable));
        const std::span<const TextEntry> added = addedTexts();
        const auto at = std::lower_bound(all.begin(), all.end(), added.front().id,
                                         [](const TextEntry& e, int id) { return e.id < id; });
        all.insert(at, added.begin(), added.end());
        return all;
    }();
    return merged;
}

} // namespace zembra
