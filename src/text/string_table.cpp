#include "text/strings.h"

#include <algorithm>
#include <iterator>

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
    // Japanese only: the English table holds the same text.
    {str::kPromptSetTempo,
     "試奏時のテンポを設定します。\n"
     "テンポ",
     "試奏時のテンポを設定します。\n"
     "テンポ"},
    // Japanese only: the English table holds the same text.
    {str::kPromptValveAssignment, "弁への音の割付状況を表示します。", "弁への音の割付状況を表示します。"},
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
    // Japanese only: the English table holds the same text.
    {str::kSettingsBeatsLabel, "拍子", "拍子"},
    // Japanese only: the English table holds the same text.
    {str::kSettingsBeatsHelp,
     "4/4 か 3/4　\n"
     "       6/8は3/4と読み替えてください。",
     "4/4 か 3/4　\n"
     "       6/8は3/4と読み替えてください。"},
    // Japanese only: the English table holds the same text.
    {str::kSettingsBarCountLabel, "小節数", "小節数"},
    // Japanese only: the English table holds the same text.
    {str::kSettingsBarCountHelp, "小さくする場合は注意　はみだした音符は消されてしまいます。", "小さくする場合は注意　はみだした音符は消されてしまいます。"},
    // Japanese only: the English table holds the same text.
    {str::kSettingsBarLengthLabel, "小節長（ｍｍ）", "小節長（ｍｍ）"},
    // Japanese only: the English table holds the same text.
    {str::kSettingsScaleLabel, "画面上の一拍長さ", "画面上の一拍長さ"},
    {str::kImportTranspositionLabel, "SMF取込時の移調", "Transposition operation at the Midi file opening."},
    // Japanese only: the English table holds the same text.
    {str::kSettingsTempoLabel, "試奏時のテンポ", "試奏時のテンポ"},
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
    {str::kExportAudioFailed, "オーディオファイルを書き出せませんでした。\n", "The audio file could not be written.\n"},
    {str::kExportNoSynthesizer, "内蔵シンセサイザーを使えません（サウンドフォントが見つかりません）。",
     "The built-in synthesizer is not available: no sound font was found."},
    {str::kExportProgress, "オーディオを書き出しています...", "Exporting audio..."},
    {str::kExportCancel, "中止", "Cancel"},
    {str::kExportFilter, "WAV オーディオ (*.wav)", "WAV audio (*.wav)"},
    {str::kReplaceQuestion,
     "%s は既にあります。\n"
     "置き換えますか？",
     "%s already exists.\n"
     "Do you want to replace it?"},
    {str::kCommandFailed,
     "操作を最後まで行えませんでした（メモリ不足かもしれません）。\n"
     "曲は操作の前のままです。",
     "Warning! The command could not be completed (out of memory?).\n"
     "The music is as it was before."},
    {str::kPromptToggleSelect,
     "Shiftキーを押さなくても、クリックした音符を選択に加えたり外したりします\n"
     "選択の追加・解除",
     "Click notes to add them to the selection or take them out, as with the Shift key\n"
     "Toggle selection"},
    {str::kPromptZoomMode,
     "Ctrlキーを押さなくても、マウスを動かすと拡大表示されます\n"
     "拡大表示",
     "Zoom the display under the mouse, as with the Ctrl key\n"
     "Zoom"},
    {str::kPromptShiftAfterDrag,
     "何もない所をドラッグすると、そこから後の音符をまとめてずらします\n"
     "ドラッグで後ろをずらす",
     "Drag on an empty place to move every later note by the drag, opening or closing a gap\n"
     "Shift after drag"},
    {str::kPromptContextHelp,
     "このプログラムのヘルプを表示します\n"
     "ヘルプ",
     "Show the help of this program\n"
     "Help"},
    // MIDI import.
    {str::kOnlyFirstBarsPlaced, "曲が長いため、先頭の80小節だけが配置されます。",
     "The piece is long: only its first 80 bars are placed."},
    // %1 is the bar length and %2 the printable width, in millimetres.
    {str::kCardBarTooLong,
     "小節の長さ %1 mm は、20 mm のリーダーを付けると印刷できる幅 %2 mm に収まりません。\n"
     "カードは印刷されませんでした。小節の長さを短くするか、用紙を横向きにしてください。",
     "A bar of %1 mm with the 20 mm leader does not fit the printable width of %2 mm.\n"
     "The card was not printed. Choose a shorter bar length or turn the paper to landscape."},
    {str::kCardNoPaperSize,
     "プリンタから用紙の大きさを得られませんでした。カードは印刷されませんでした。",
     "The printer gave no paper size. The card was not printed."},
    {str::kCardPdfFilter, "PDF 文書 (*.pdf)", "PDF document (*.pdf)"},
    {str::kCardPdfFailed, "PDF ファイルを書き出せませんでした。\n", "The PDF file could not be written.\n"},
    // %1 is the bar the card starts with.
    {str::kCardStartsLater,
     "カードは %1 小節目から始まります（演奏開始位置より前の音符は印刷されません）。",
     "The card starts at bar %1: notes before the playback start are left off."},
    {str::kCardPdfCaption, "カードを PDF に書き出す", "Export Card as PDF"},
    // Card files for cutters.
    {str::kCutterCaption, "カッター用にカードを書き出す", "Export Card for Cutter"},
    {str::kCutterFormat, "形式", "Format"},
    {str::kCutterHole, "穴の直径 (mm)", "Hole diameter (mm)"},
    {str::kCutterKerf, "切り幅（カーフ, mm）", "Kerf (mm)"},
    {str::kCutterLayout, "配置", "Layout"},
    {str::kCutterLayoutPages, "印刷と同じページ", "Pages as printed"},
    {str::kCutterLayoutStrips, "ストリップを1本ずつ", "Each strip on its own"},
    {str::kCutterEngrave, "罫線と文字を彫刻レイヤーに入れる", "Engrave lines and texts"},
    {str::kCutterExport, "書き出す", "Export"},
    {str::kCutterSvgFilter, "SVG 図面 (*.svg)", "SVG drawing (*.svg)"},
    {str::kCutterDxfFilter, "DXF 図面 (*.dxf)", "DXF drawing (*.dxf)"},
    {str::kCutterFailed, "カッター用のファイルを書き出せませんでした。\n",
     "The cutter file could not be written.\n"},
    // %1 and %2 are the smallest and largest hole, %3 the largest kerf, in millimetres.
    {str::kCutterBadSizes,
     "穴の直径は %1 〜 %2 mm、切り幅は %3 mm までで穴の直径より小さくしてください。",
     "The hole diameter must be %1 to %2 mm, and the kerf at most %3 mm and smaller than the hole."},
    {str::kCutterPrintSettings,
     "用紙、小節の長さ、左右逆・高音低音の裏返し・２段は印刷の設定に従います。",
     "Paper, bar length, mirror, inside-out and 2 pieces follow the print settings."},
    // Printer calibration: the measured lengths dialog, its messages, the strip's texts.
    {str::kCalibrationTitle, "校正の測定値", "Calibration Lengths"},
    {str::kCalibrationPrinter, "プリンタ : ", "Printer: "},
    {str::kCalibrationAlongLabel, "長さ方向 100 mm の物差しの実測 (mm)", "The 100 mm ruler along the strip measures (mm)"},
    {str::kCalibrationAcrossLabel, "幅方向 60 mm の物差しの実測 (mm)", "The 60 mm ruler across the strip measures (mm)"},
    {str::kCalibrationForget, "校正を消す", "Forget Calibration"},
    {str::kCalibrationOk, "OK", "OK"},
    {str::kCalibrationCancel, "ｷｬﾝｾﾙ", "Cancel"},
    {str::kCalibrationNotANumber,
     "測った長さを mm で二つとも入れてください（例 : 99.5）。",
     "Please enter both measured lengths in millimetres, for example 99.5."},
    // %1: the ruler's length, %2: what it measured, %3: the correction that would give.
    {str::kCalibrationOutOfRange,
     "%1 mm の物差しが %2 mm では補正が %3 になり、0.8～1.2 の範囲を外れます。\n物差しを測り直してください。",
     "The %1 mm ruler measuring %2 mm gives a correction of %3, outside 0.8 to 1.2.\nPlease measure the ruler again."},
    {str::kCalibrationNoPrinter,
     "PDF への出力は寸法が正確なので、校正は要りません。\n校正はプリンタごとに行います。",
     "Output to PDF is exact and needs no calibration.\nCalibration is made for each printer."},
    // %1: the printer, %2 and %3: the factors along and across the strip.
    {str::kCalibrationStatusCalibrated,
     "プリンタ %1 は校正済み（長さ方向 ×%2、幅方向 ×%3）",
     "Printer %1 is calibrated (along ×%2, across ×%3)"},
    {str::kCalibrationStatusNone,
     "プリンタ %1 は未校正です（ﾌｧｲﾙ → 校正ストリップを印刷）",
     "Printer %1 is not calibrated (File > Print Calibration Strip)"},
    {str::kCalibrationStatusPdf, "PDF に出力 : 寸法は正確です", "Output to PDF: exact scale"},
    {str::kCalibrationStripHeading, "校正ストリップ（補正なしで印刷）", "Calibration strip (printed without correction)"},
    {str::kCalibrationStripAdvice,
     "二つの物差しを 0 から 100、0 から 60 まで測り、「校正の測定値を入力」に入れてください。",
     "Measure the two rulers from 0 to 100 and from 0 to 60, and enter the lengths under File > Enter "
     "Calibration Lengths."},
    {str::kCalibrationPageTooSmall,
     "用紙が小さすぎて校正ストリップを印刷できません（150 × 69.6 mm 必要です）。",
     "The page is too small for the calibration strip (it needs 150 × 69.6 mm)."},
    {str::kCalibrationPrintFailed, "校正ストリップを印刷できませんでした。", "The calibration strip could not be printed."},
    {str::kCalibrationSaveFailed, "校正値を保存できませんでした。", "The calibration could not be stored."},
    {str::kPrintStripNumbers, "ストリップ番号", "Strip numbers"},
    {str::kCalibrationAdvice,
     "校正ストリップの二つの物差しを測って入れてください。",
     "Measure the two rulers of the calibration strip and enter their lengths."},
    // MIDI keyboard input.
    {str::kMidiInputHeading, "MIDIキーボード（打込み用）", "MIDI keyboard (for recording)"},
    {str::kNoMidiInput, "（MIDI入力が見つかりません）", "(no MIDI input found)"},
    {str::kMidiInputOpenFailed, "このMIDI入力を開けませんでした。", "This MIDI input could not be opened."},
    // The command line.
    {str::kCliUsage,
     "使い方:\n"
     "  zembra [ファイル.mid]              ウィンドウを開きます（ファイルを指定するとそれを読み込みます）\n"
     "  zembra コマンド ファイル… [オプション]  ウィンドウを開かずに処理します",
     "Usage:\n"
     "  zembra [FILE.mid]                  starts the window (and opens the file)\n"
     "  zembra COMMAND FILE... [OPTIONS]   works without a window"},
    {str::kCliCommandsHeading, "コマンド:", "Commands:"},
    {str::kCliOptionsHeading, "オプション:", "Options:"},
    {str::kCliMoreHelp, "各コマンドのオプションは \"zembra コマンド --help\" で表示されます。",
     "\"zembra COMMAND --help\" shows the options of one command."},
    {str::kCliExitStatus,
     "終了コード: 0 すべて完了、1 失敗したファイルがある（他のファイルは処理済み）、2 コマンドラインの誤り。",
     "Exit status: 0 all done, 1 a file failed (the others are done), 2 the command line is wrong."},
    {str::kCliEnvironment,
     "メッセージは標準エラーに日本語か英語で出ます（ZEMBRA_LANG=ja|en で選べます）。",
     "Messages go to standard error, in Japanese or English (ZEMBRA_LANG=ja|en chooses)."},
    {str::kCliCommandUsage, "使い方: zembra %1 %2", "Usage: zembra %1 %2"},
    {str::kCliVersion, "zembra %1", "zembra %1"},
    {str::kCliScreenshot,
     "  zembra --screenshot 画像 [ファイル.mid]  ウィンドウを描いたらその画像を保存して終了します",
     "  zembra --screenshot PICTURE [FILE.mid]   saves a picture of the window once painted, then ends"},
    {str::kCliSummaryInfo,
     "MIDIファイルの内容と、オルゴールで演奏できる音符・できない音符、小節数、近すぎる音符の数を表示します",
     "shows what a MIDI file holds: the notes the comb can and cannot play, the bars, the notes too close together"},
    {str::kCliSummarySong,
     "MIDIファイルを読込み時の設定のまま取り込み、このプログラムの曲ファイルとして保存します",
     "imports MIDI files with the settings the import proposes and saves them as song files"},
    {str::kCliSummaryCard,
     "カードを PDF に書き出します（「カードを PDF に書き出す」と同じカード）",
     "writes the card as PDF, the same card as Export Card as PDF"},
    {str::kCliSummaryWav,
     "曲を内蔵シンセサイザーで WAV ファイルに書き出します（「オーディオの書き出し」と同じ音）",
     "renders the song through the built-in synthesizer into a WAV file, as Export Audio does"},
    {str::kCliSummarySvg, "カッター用にカードを SVG に書き出します（「カッター用にカードを書き出す」と同じ図面）",
     "writes the card as SVG for a cutter, the same drawing as Export Card for Cutter"},
    {str::kCliSummaryDxf, "カッター用にカードを DXF に書き出します（「カッター用にカードを書き出す」と同じ図面）",
     "writes the card as DXF for a cutter, the same drawing as Export Card for Cutter"},
    {str::kCliOptionHelp, "このヘルプを表示します。", "Shows this help."},
    {str::kCliOptionVersion, "バージョンを表示します。", "Shows the version."},
    {str::kCliOptionOutput,
     "書き出すファイル。入力ファイルが複数のときは書き出すフォルダ（入力ごとに同じ名前のファイルができます）。",
     "The file to write; with several input files, the folder to write into (one file per input, named after it)."},
    {str::kCliOptionQuiet, "経過を表示せず、失敗だけを知らせます。", "Reports failures only, no progress."},
    {str::kCliOptionJson, "JSON で出力します（ファイルが1つならオブジェクト、複数なら配列）。",
     "Writes JSON: one object for one file, an array of objects for several."},
    {str::kCliOptionTranspose,
     "読込み時の移調（半音単位、-12 から +12）。auto で読込み設定の「くし歯に合わせる」が選ぶ移調。省略時は 0。",
     "Transposes the notes on import by N semitones (-12 to +12), or with auto by what the import's \"Fit to comb\" "
     "chooses; default 0."},
    {str::kCliOptionBars,
     "キャンバスの小節数（1 から 80）。省略時は読込み時の設定が示す小節数（曲の長さ）。",
     "The canvas's number of bars (1 to 80); default: what the import proposes (the length of the piece)."},
    {str::kCliOptionCheckBarMm,
     "近すぎる音符を数えるときの1小節の長さ（mm）。省略時は 50、このプログラムの曲ファイルではその設定。",
     "The printed length of a bar in mm for counting notes too close together; default 50, or a song file's own."},
    {str::kCliOptionBarMm,
     "カード上の1小節の長さ（mm、0 で曲全体を1本に収めます）。省略時は 50、このプログラムの曲ファイルではその設定。",
     "The printed length of a bar in mm (0 fits the whole song onto one strip); default 50, or a song file's own."},
    {str::kCliOptionMirror, "カードを裏返しにします（右から左へ進みます）。", "Mirrors the card: it runs from right to left."},
    {str::kCliOptionSwap, "高音と低音を入れ替えます（低い音が上の線）。", "Swaps high and low: the lowest note on the top line."},
    {str::kCliOptionTwoRows, "1本ずつ2回、上下に並べて印刷します。", "Prints every strip twice, one above the other."},
    {str::kCliOptionNoLines, "罫線と音名を印刷しません（小節の目盛りだけ）。",
     "Leaves out the ruled lines and the row names (ticks at the bars only)."},
    {str::kCliOptionThick, "行の線を太くします。", "Draws the row lines thicker."},
    {str::kCliOptionBlack, "線と文字を黒で印刷します。", "Prints lines and texts in black."},
    {str::kCliOptionImage, "音符の背景に印刷する画像（BMP、JPEG、GIF、PNG）。",
     "A picture to print behind the notes (BMP, JPEG, GIF, PNG)."},
    {str::kCliOptionTextColour, "曲名と作者の色（#rrggbb か色の名前）。省略時は #323232。",
     "The colour of the title and the author, as #rrggbb or a colour name; default #323232."},
    {str::kCliOptionPaper, "用紙: A4、A3、Letter、Legal、または 幅x高さmm（例 210x297mm）。省略時は A4。",
     "The paper: A4, A3, Letter, Legal, or WxHmm (such as 210x297mm); default A4."},
    {str::kCliOptionPortrait, "用紙を縦向きにします。", "Lays the paper upright."},
    {str::kCliOptionLandscape, "用紙を横向きにします（省略時）。", "Lays the paper across (the default)."},
    {str::kCliOptionNoFit, "曲の終わりの後もキャンバスの全小節を印刷します。",
     "Prints every bar of the canvas, also those after the music ends."},
    {str::kCliArgumentFiles, "MIDIファイル（このプログラムの曲ファイルを含む）。", "MIDI files (song files of this program too)."},
    {str::kCliOptionHoleMm, "穴の直径（mm、0.5〜5.0）。省略時は 1.8。", "Hole diameter in mm, 0.5 to 5.0; 1.8 if not given."},
    {str::kCliOptionKerfMm, "切り幅（mm、0〜1.0、穴の直径より小さく）。省略時は 0。",
     "Kerf in mm, 0 to 1.0 and less than the hole; 0 if not given."},
    {str::kCliOptionLayout, "配置: pages（印刷と同じページ、省略時）または strips（ストリップを1本ずつ）。",
     "Layout: pages (as printed, the default) or strips (each strip on its own)."},
    {str::kCliOptionNoEngrave, "罫線と文字を彫刻レイヤーに入れません（穴と外形だけ）。",
     "Leaves out the engraving layer: holes and outlines only."},
    {str::kCliUnknownCommand, "\"%1\" というコマンドはありません。", "There is no command \"%1\"."},
    {str::kCliReservedCommand, "コマンド \"%1\" はこの版では使えません。", "The command \"%1\" is not available in this version."},
    {str::kCliNoInput, "入力ファイルが指定されていません。", "No input file was given."},
    {str::kCliNoOutput, "書き出し先が指定されていません（-o で指定してください）。", "No output was given: name it with -o."},
    {str::kCliBadValue, "%1 の値 \"%2\" は使えません（%3）。", "The value \"%2\" of %1 cannot be used (%3)."},
    {str::kCliUnknownOption, "%1 というオプションはありません。", "There is no option %1."},
    {str::kCliBadArguments, "コマンドラインを読めません: %1", "The command line cannot be read: %1"},
    {str::kCliOutputNotFolder, "入力ファイルが複数のとき、-o にはフォルダを指定してください（%1 はファイルです）。",
     "With several input files -o must name a folder, and %1 is a file."},
    {str::kCliCannotMakeFolder, "フォルダ %1 を作れませんでした。", "The folder %1 could not be made."},
    {str::kCliCannotRead, "MIDIファイルとして読めません: %1", "It cannot be read as a MIDI file: %1"},
    {str::kCliDamaged, "ファイルが壊れています: %1", "The file is damaged: %1"},
    {str::kCliNoTracks, "ファイルにトラックがありません。", "The file holds no track."},
    {str::kCliCannotWrite, "%1 を書き出せませんでした: %2", "%1 could not be written: %2"},
    {str::kCliSameOutput, "別の入力ファイルが同じ %1 に書き出すことになります。",
     "Another input file would write the same %1."},
    {str::kCliOutputIsInput, "書き出すと入力ファイル %1 を置き換えてしまいます。", "Writing would replace the input file %1."},
    {str::kCliNoNotes, "キャンバスに置ける音符がありません。", "No note of the file can be placed on the canvas."},
    {str::kCliImageUnreadable, "画像 %1 を読めません。", "The picture %1 cannot be read."},
    {str::kCliFailedCount, "%2 個のファイルのうち %1 個が失敗しました。", "%1 of %2 files failed."},
    {str::kCliWriting, "[%1/%2] %3 → %4", "[%1/%2] %3 -> %4"},
    {str::kCliRendering, "  音を作っています %1%", "  rendering %1%"},
    {str::kCliUnexpected, "思わぬエラーで中断しました: %1", "Stopped by an unexpected failure: %1"},
    {str::kCliNotSoundFont, "内蔵シンセサイザーを使えません（サウンドフォントが見つかりません。ZEMBRA_SOUNDFONT で指定できます）。",
     "The built-in synthesizer is not available: no sound font was found (ZEMBRA_SOUNDFONT names one)."},
    {str::kCliReading, "[%1/%2] %3", "[%1/%2] %3"},
    {str::kCliTooManyValues, "%1 は1回だけ指定してください。", "Give %1 only once."},
    {str::kCliExclusive, "%1 と %2 は一緒に指定できません。", "%1 and %2 cannot be given together."},
    {str::kCliInfoFormat, "形式", "format"},
    {str::kCliInfoTracks, "トラック", "tracks"},
    {str::kCliInfoResolution, "分解能", "resolution"},
    {str::kCliInfoTempo, "テンポ", "tempo"},
    {str::kCliInfoTimeSignature, "拍子記号", "time signature"},
    {str::kCliInfoBeats, "1小節の拍数", "beats per bar"},
    {str::kCliInfoKey, "調", "key"},
    {str::kCliInfoTransposition, "移調", "transposition"},
    {str::kCliInfoImportable, "取り込める音符", "importable notes"},
    {str::kCliInfoNotImportable, "取り込めない音符", "not importable"},
    {str::kCliInfoPlaced, "キャンバスに置かれる音符", "notes placed"},
    {str::kCliInfoBars, "小節数", "bars"},
    {str::kCliInfoTooClose, "近すぎる音符（%1 mm/小節）", "too close at %1 mm a bar"},
    {str::kCliInfoNone, "（なし）", "(none)"},
    {str::kCliInfoTitle, "曲名", "title"},
    {str::kCliInfoAuthor, "作者", "author"},
    {str::kCliInfoOwnFile, "このプログラムの曲ファイル", "song file of this program"},
    {str::kCliInfoYes, "はい", "yes"},
    {str::kCliInfoNo, "いいえ", "no"},
    {str::kCliInfoBarsClipped, "（曲は %1 小節、キャンバスには先頭だけ）", "(the piece has %1 bars; the canvas takes the first)"},
    {str::kCliOptionFold,
     "くし歯にない音をオクターブ単位で移し、いちばん近い音に載せます（読込み設定の「オクターブで折り返す」）。",
     "Moves a note the comb lacks by whole octaves onto the nearest one it has (the import's \"Fold by octaves\")."},
    {str::kCliOptionNoDrums,
     "チャンネル10（ドラム）の音符を読み込みません（読込み設定の「ドラム（チャンネル10）を除く」）。",
     "Leaves out the notes on MIDI channel 10, the drums (the import's \"Leave out the drum channel\")."},
    {str::kCliInfoRanking, "くし歯に合わせる（よい順）", "Fit to comb (best first)"},
    // Fitting a file to the comb; mending the notes that will not sound.
    {str::kFitButton, "くし歯に合わせる", "Fit to comb"},
    {str::kFitTransposition, "移調", "Transp."},
    {str::kFitKey, "調", "Key"},
    {str::kFitPlayable, "演奏可", "Playable"},
    {str::kFitNotPlayable, "演奏不可", "Not playable"},
    {str::kFitTooClose, "間隔不足", "Too close"},
    {str::kFitFoldOctaves, "オクターブで折り返す", "Fold by octaves"},
    {str::kFitLeaveOutDrums, "ドラム（チャンネル10）を除く", "Leave out the drum channel"},
    {str::kFitButtonTip,
     "-12 から +12 までの移調を比べ、いちばん多くの音符が鳴る移調を選びます",
     "Compares the transpositions from -12 to +12 and chooses the one that plays the most notes"},
    {str::kMendResult, "%1 個の音符をオクターブ移動し、%2 個の音符を削除しました。",
     "%1 notes moved by octaves, %2 notes removed."},
    {str::kPromptMend,
     "音が出ない音符を、鳴らせる段へオクターブ単位で移します（移せない音符は削除）\n"
     "音が出ない音符を直す",
     "Move each note that will not sound by octaves to a row where it sounds, or delete it\n"
     "Mend notes"},
    {str::kRecoveryOffer,
     "Zembraが正しく終了しなかったため、保存されていない変更のある曲が残っています。\n\n"
     "曲名: %1\n"
     "記録した時刻: %2\n\n"
     "この曲を復元しますか？\n"
     "「いいえ」を選ぶと、残っている曲は削除されます。",
     "Zembra did not close properly, and a song with unsaved changes was kept.\n\n"
     "Title: %1\n"
     "Kept at: %2\n\n"
     "Restore this song?\n"
     "No deletes the kept song."},
    {str::kRecoveryUnreadable, "残っていた曲を読み込めませんでした。\n%1", "The kept song could not be read.\n%1"},
    {str::kRecoveryNotKept,
     "保存されていない変更の控えを書き込めませんでした。\n%1\n早めに保存してください。",
     "Zembra could not keep a recovery copy of the unsaved changes.\n%1\nPlease save your work soon."},
    {str::kNoSuchFile, "そのようなファイルはありません。", "There is no such file."},
    {str::kNotRegularFile, "通常のファイルではないので読みません（フォルダー、FIFO、デバイスなど）。",
     "It is not a regular file (a folder, a FIFO, a device), so it is not read."},
    {str::kFileNotOpened, "ファイルを開けません。", "The file cannot be opened."},
    {str::kPictureNotRecognised, "BMP、JPEG、GIF、PNG のどの画像でもありません。",
     "It is not a BMP, JPEG, GIF or PNG picture."},
    {str::kPictureFormatRefused, "%1 形式の画像です。使えるのは BMP、JPEG、GIF、PNG の画像だけです。",
     "It is a picture in %1 format; only BMP, JPEG, GIF and PNG pictures are used."},
    {str::kPictureTooLarge, "画像が大きすぎます: %1 × %2 ピクセル（上限は %3 メガピクセル、一辺 %4 ピクセル）。",
     "The picture is too large: %1 × %2 pixels (at most %3 megapixels, and %4 pixels on a side)."},
    {str::kPictureUndecodable, "画像を読み取れません: %1", "The picture cannot be decoded: %1"},
    {str::kSoundFontUnusable, "内蔵シンセサイザーを使えません: %1 はサウンドフォントとして使えません。",
     "The built-in synthesizer is not available: %1 is not a usable sound font."},
    {str::kSoundFontNotRiff, "SoundFont 2 のファイルでも DLS のファイルでもありません。",
     "It is neither a SoundFont 2 nor a DLS file."},
    {str::kSoundFontNotLoaded, "シンセサイザーが読み込めませんでした: %1", "The synthesizer could not load it: %1"},
    {str::kPasteLeftOut, "貼り付ける %2 個の音符のうち %1 個は入りませんでした（1 曲の音符は %3 個まで）。",
     "%1 of the %2 pasted notes were left out (a song holds at most %3 notes)."},
    {str::kWriteIsFolder, "フォルダーであり、ファイルではありません。", "It is a folder, not a file."},
    {str::kWriteIsDevice, "装置であり、ファイルではありません。装置には書き込みません。", "It is a device, not a file: Zembra does not write to devices."},
    {str::kWriteIsFifo, "名前付きパイプであり、ファイルではありません。", "It is a named pipe (FIFO), not a file."},
    {str::kWriteIsSocket, "ソケットであり、ファイルではありません。", "It is a socket, not a file."},
    {str::kWriteNotRegular, "通常のファイルではありません。", "It is not a regular file."},
    {str::kWriteReadOnly, "ファイルが読み取り専用です。", "The file is read-only."},
    {str::kWriteNoPermission, "このファイルかフォルダーへの書き込みが許可されていません。", "You may not write to this file or its folder."},
    {str::kWriteDiskFull, "ディスクがいっぱいです。", "The disk is full."},
    {str::kWriteNameTooLong, "ファイル名がこのフォルダーには長すぎます。", "The file name is too long for its folder."},
    {str::kWriteReadOnlyDisk, "ディスクが読み取り専用です。", "The disk is read-only."},
    {str::kWriteNoFolder, "フォルダーがありません。", "The folder does not exist."},
    {str::kWriteTooManyLinks, "シンボリックリンクが多すぎるか、循環しています。", "The symbolic links go round in a circle or are too many."},
    {str::kWriteFailed, "書き込みに失敗しました (%1)。", "Writing failed (%1)."},
    {str::kWriteNotReplaced, "書き終えたファイルで元のファイルを置き換えられませんでした (%1)。", "The finished file could not take the old one's place (%1)."},
    {str::kWriteCannotCreate, "フォルダーに新しいファイルを作れませんでした (%1)。", "No new file could be made in the folder (%1)."},
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
    {str::kIndicatorKana, "ｶﾅ", "ｶﾅ"},
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
    return kTable;
}

} // namespace zembra
