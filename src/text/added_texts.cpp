#include "text/added_texts.h"

#include <algorithm>
#include <iterator>
#include <vector>

#include "text/string_ids.h"

namespace zembra {
namespace {

// Ordered by id.
constexpr TextEntry kAdded[] = {
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
    // Marks for putting a long card together.
    {str::kPrintBarNumbersNone, "小節番号なし", "No bar numbers"},
    {str::kPrintBarNumbersEvery, "小節番号を毎小節に", "Bar numbers on every bar"},
    {str::kPrintBarNumbersFourth, "小節番号を4小節ごとに", "Bar numbers on every 4th bar"},
    {str::kPrintTitleFirstStrip, "曲名は最初のストリップに", "Title on the first strip"},
    {str::kPrintStripTitles, "曲名を各ストリップに", "Title on every strip"},
    {str::kPrintBlankLength, "ブランクカード: ", "Blank cards: "},
    {str::kPrintBlanksNeeded, "ブランクカード %1 枚。各カードの終わり: %2", "%1 blank cards, each ending at: %2"},
    {str::kPrintBlankEnd, "%1 小節 %2 拍", "bar %1 beat %2"},
    {str::kPrintBlanksStuck, "%1 小節 %2 拍の近くに切れる休みがありません。ブランクカードを長くしてください。",
     "No rest to cut in near bar %1 beat %2: choose longer blank cards."},
    {str::kPrintBlankRoll, "ブランクカード: ロール（制限なし）", "Blank cards: a roll (no limit)"},
    {str::kCardNoRestToCut,
     "%1小節目の近くに、継ぎ目に必要な長さの休みがありません。のりしろを短くするか、ブランクを長くするか、"
     "休みで切らずに印刷してください。",
     "No rest near bar %1 is long enough for the join. Choose a shorter glue zone, longer blanks, or strips "
     "that end at bar lines."},
    {str::kPrintJoinButt, "継ぎ方: 突き合わせ（裏にテープ）", "Join: butted, taped on the back"},
    {str::kPrintJoinOverlap, "継ぎ方: 重ねる（のりしろ %1 mm）", "Join: overlapped, glue zone %1 mm"},
    {str::kPrintSplitAtRests, "ストリップを休みで切る", "Cut the strips in the rests"},
    {str::kPrintLoop, "エンドレスループにする", "Make an endless loop"},
    {str::kCardLoopNoSeam, "ループの継ぎ目に必要な長さの休みがありません。",
     "The music has no rest long enough for the loop's seam."},
    {str::kPrintSplitAtBars, "ストリップを小節線で切る", "End the strips at bar lines"},
    {str::kPrintNoLoop, "始めと終わりのあるカード", "A card with a start and an end"},
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
};

constexpr bool strictlyAscending()
{
    return std::adjacent_find(std::begin(kAdded), std::end(kAdded),
                              [](const TextEntry& a, const TextEntry& b) { return a.id >= b.id; })
        == std::end(kAdded);
}
static_assert(strictlyAscending(), "the added texts must be ordered by id without repeats");
static_assert(kAdded[0].id >= kFirstAddedText && std::end(kAdded)[-1].id < kLaterAddedTexts,
              "the added texts keep to their run of ids");

} // namespace

std::span<const TextEntry> addedTexts()
{
    // Both runs as one, in the order of their ids.
    static const std::vector<TextEntry> all = [] {
        std::vector<TextEntry> texts(std::begin(kAdded), std::end(kAdded));
        const std::span<const TextEntry> later = laterAddedTexts();
        texts.insert(texts.end(), later.begin(), later.end());
        return texts;
    }();
    return all;
}

} // namespace zembra
