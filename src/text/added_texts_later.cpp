#include "text/added_texts.h"

#include <algorithm>
#include <iterator>

#include "text/string_ids.h"

namespace zembra {
namespace {

// Ordered by id: the boxes, the arranger, the box's sound and crank, and the card's assembly.
constexpr TextEntry kAdded[] = {
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
    // Arranging for the box in the window.
    {str::kArrangeButton, "オルゴール用に編曲", "Arrange for the box"},
    {str::kArrangeButtonTip,
     "メロディを残し、低音を残し、すべての音符が鳴るようにキャンバスへ並べます",
     "Places the file on the canvas keeping the melody and the bass, with every note playable"},
    {str::kArrangeMelodyLabel, "メロディのトラック:", "Melody track:"},
    {str::kArrangeChordLabel, "同時に鳴らす音の上限:", "Notes at once, at most:"},
    {str::kArrangeTrackEntry, "%1: %2（%3 音）", "%1: %2 (%3 notes)"},
    {str::kArrangeTrackUnnamed, "トラック %1", "Track %1"},
    {str::kArrangeChangesButton, "変更の一覧...", "Changes..."},
    {str::kArrangeChangesCaption, "編曲で変えた音符", "What the arrangement changed"},
    {str::kArrangeSaveText, "テキストとして保存...", "Save as text..."},
    {str::kArrangeTextFilter, "テキストファイル (*.txt)", "Text files (*.txt)"},
    {str::kArrangeSaveFailed, "変更の一覧を %1 に書き込めませんでした。", "The list of changes could not be written to %1."},
    {str::kArrangeBarHint,
     "この小節の長さではメロディの速い連打が鳴りません。%1 mm ならメロディの音符がすべて鳴ります。",
     "The melody repeats too fast for this bar length; at %1 mm a bar it keeps every note."},
    {str::kArrangeBarNone,
     "いちばん長い小節でも、メロディの速い連打がすべては鳴りません。",
     "Even the longest bar is too short for some of the melody's fast repeats."},
    {str::kArrangeTakeBar, "%1 mm にする", "Take %1 mm"},
    {str::kArrangeAgainCaption, "もう一度編曲", "Arrange again"},
    {str::kPromptArrangeAgain,
     "読み込んだファイルのトラックから、メロディのトラックと同時に鳴らす音の上限を選び直して編曲します\n"
     "もう一度編曲",
     "Arrange the imported file's tracks for the box again, with another melody track or chord limit\n"
     "Arrange again"},
    {str::kArrangeClose, "閉じる", "Close"},
    {str::kArrangeNothingChanged, "変更した音符はありません。", "No note had to change."},
    {str::kArrangeNoMelody, "メロディにできるトラックがありません。", "No track can carry the melody."},
    {str::kCliOptionArrange,
     "オルゴール向けに編曲します: メロディと低音を残し、すべての音符を鳴らせるようにします。変更の一覧は info --arrange で見られます。",
     "Arranges for the box: keeps the melody and the bass and makes every note playable; info --arrange lists the "
     "changes."},
    {str::kCliOptionMelodyTrack,
     "--arrange のメロディのトラック（info の一覧の番号）。省略時はドラム以外で最上声の音がいちばん多いトラック。",
     "The melody track for --arrange, numbered as info lists the tracks; default: the track other than drums whose "
     "top voice has the most notes."},
    {str::kCliOptionMaxChord, "--arrange で同時に鳴らす音の上限（1 から 6）。省略時は 4。",
     "The most notes --arrange lets sound at once (1 to 6); default 4."},
    {str::kCliOptionBarMmAuto,
     "カード上の1小節の長さ（mm、0 で曲全体を1本に収めます）。--arrange と auto で、メロディの音が欠けない最も短い"
     "長さ。省略時は 50、このプログラムの曲ファイルではその設定。",
     "The printed length of a bar in mm (0 fits the whole song onto one strip), or with --arrange auto: the shortest "
     "at which the melody keeps its notes; default 50, or a song file's own."},
    {str::kCliOptionCheckBarMmAuto,
     "近すぎる音符を数えるときの1小節の長さ（mm）。--arrange と auto で、メロディの音が欠けない最も短い長さ。省略時は "
     "50、このプログラムの曲ファイルではその設定。",
     "The printed length of a bar in mm for counting notes too close together, or with --arrange auto: the shortest "
     "at which the melody keeps its notes; default 50, or a song file's own."},
    {str::kCliBarAutoNeedsArrange,
     "--bar-mm auto は編曲が選ぶ長さです。--arrange も指定してください。",
     "--bar-mm auto takes the length the arranger chooses: give --arrange too."},
    {str::kCliNoSuchMelodyTrack, "--melody-track のトラック %1 はありません（このファイルのトラックは %2 個です）。",
     "--melody-track names track %1, but the file has %2 tracks."},
    {str::kCliInfoArrangement, "編曲", "arrangement"},
    {str::kCliInfoArrangeBar, "1小節 %1 mm（メロディの音が欠けない最も短い長さ）",
     "bar length %1 mm (the shortest at which the melody keeps its notes)"},
    {str::kCliInfoArrangeBarNone, "1小節 %1 mm（どの長さでもメロディの音が欠けます）",
     "bar length %1 mm (at no length of the list does the melody keep every note)"},
    {str::kTagTuningOpen, "<TN>", "<TN>"},
    {str::kTagTuningClose, "</TN>", "</TN>"},
    {str::kPlayAsBox, "鳴らない音符をオルゴールのとおりに演奏", "Play notes that will not sound as the box does"},
    {str::kPromptPlayAsBox,
     "同じ列の前の音符に近すぎて鳴らない音符を、ダンパーに当たる「カチッ」という音で演奏します\n"
     "鳴らない音符をオルゴールのとおりに演奏",
     "Play a note too close to the previous note of its row as the damper's click, as the box will\n"
     "Play notes that will not sound as the box does"},
    {str::kTuningMenu, "調律", "Tuning"},
    {str::kTuningEqual, "平均律", "Equal temperament"},
    {str::kTuningMeantone, "1/4 コンマ中全音律（C）", "Quarter-comma meantone (on C)"},
    {str::kTuningJust, "純正律（C）", "Just intonation (on C)"},
    {str::kTuningBox, "オルゴール自身の調律", "The box's own tuning"},
    {str::kTuningBuiltInOnly, "（調律は内蔵シンセサイザーにだけ効きます）",
     "(The tuning applies to the built-in synthesizer only)"},
    {str::kCliOptionAsBox, "鳴らない音符をダンパーの音で書き出す（既定）",
     "Render notes that will not sound as the damper's click (the default)"},
    {str::kCliOptionPlain, "どの音符も最後まで鳴らして書き出す", "Render every note in full"},
    {str::kCliOptionTuning, "調律: equal、meantone、just（既定は曲の調律）",
     "The tuning: equal, meantone or just (default: the song's own)"},
    {str::kCrankPane, "毎分 %1 回転  %2  %3 m", "Crank %1/min  %2  %3 m"},
    {str::kCrankPaneTip,
     "曲のテンポと小節の長さで演奏するときのクランクの速さ（毎分の回転数）、演奏時間、カードの長さ"
     "（始めの余白を含む）。このオルゴールはクランク 1 回転でカードを %1 mm 送ります。"
     "毎分 180 回転より速いと、手で回すのは難しくなります。\n%2",
     "The crank's speed (turns a minute) that plays the song at its tempo and bar length, the playing "
     "time and the length of the card with its leader. This box moves %1 mm of card a turn of its crank; "
     "beyond 180 turns a minute a hand no longer turns it comfortably.\n%2"},
    {str::kCrankPaneName, "クランク", "Crank"},
    {str::kCrankDialogLine, "クランク: %1", "Crank: %1"},
    {str::kPromptCrank,
     "クランクを手で回すように演奏します。マウスのホイール、上下の矢印キー、または MIDI 入力の"
     "コントロールチェンジ 1 回でカードを 2 mm 送り、穴を通った音符が鳴ります（停止・Esc で終了）\n"
     "クランク",
     "Play the card as a hand turns the crank: each step of the mouse wheel, press of Down (Up turns "
     "back) or control change on the MIDI input moves the card 2 mm and sounds the holes it passes "
     "(Stop or Esc ends it)\n"
     "Crank"},
    {str::kCliOptionBarNumbers, "小節番号を N 小節ごとに印刷します（0 で印刷しません。1 か 4）。",
     "Prints the bar numbers every N bars (0: none; 1 or 4)."},
    {str::kCliOptionStripNumbers, "各ストリップに番号「n / N」を印刷します。", "Prints \"n / N\" on every strip."},
    {str::kCliOptionNoStripNumbers, "ストリップ番号を印刷しません。", "Leaves the strip numbers off."},
    {str::kCliOptionTitles, "各ストリップの始めに曲名を印刷します。", "Prints the title at the start of every strip."},
    {str::kCliOptionJoin, "ストリップのつなぎ方: butt（突き合わせてテープ）か overlap（重ねて糊付け、MM は 5〜20、既定 10）。",
     "How the strips are joined: butt (end to end, taped) or overlap (glued, MM from 5 to 20, 10 by default)."},
    {str::kCliOptionSplitAtRests, "ストリップを穴のない休みの所で切ります。", "Ends the strips in rests, clear of every hole."},
    {str::kCliOptionBlankMm, "ブランクカードの長さ (mm)。0 はロール（制限なし）。", "The blank cards' length in mm; 0 is a roll (no limit)."},
    {str::kCliOptionLoop, "カードをエンドレスループにします（小節単位、継ぎ目は休みに）。",
     "Makes the card an endless loop: whole bars, the seam in a rest."},
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
    // What the canvas leaves out of a long file; the file's tracks.
    {str::kImportOnlyFirstNotes, "キャンバスには先頭の %1 個の音符だけが置かれます。",
     "The canvas takes only the first %1 notes."},
    {str::kImportOnlyFirstBars, "キャンバスには先頭の %1 小節だけが置かれます。", "The canvas takes only the first %1 bars."},
    {str::kImportNotesLeftOut, "演奏できる音符のうち %1 個は置かれません。", "%1 playable notes are left out."},
    {str::kTrackListCaption, "読み込むトラック", "Tracks to import"},
    {str::kTrackListNumber, "番号", "No."},
    {str::kTrackListName, "名前", "Name"},
    {str::kTrackListChannel, "チャンネル", "Channel"},
    {str::kTrackListNotes, "音符", "Notes"},
    {str::kTrackListTip, "チェックを外したトラックの音符は、数にも、くし歯に合わせる表にも、キャンバスにも入りません",
     "A track without a tick is left out of the counts, the fit to the comb and the canvas"},
    {str::kCliOptionTracks,
     "指定したトラックだけを読み込みます（番号は info の一覧のとおり、例 1,3,5）。省略時はすべてのトラック。",
     "Imports only these tracks, numbered as info lists them (such as 1,3,5); every track if not given."},
    {str::kCliOptionDrums, "チャンネル10（ドラム）の音符も読み込みます。省略時は読み込みません。",
     "Keeps the notes on MIDI channel 10, the drums, which are left out if not given."},
    {str::kCliTracksExpected, "1 から %1 までのトラック番号をコンマで区切ったもの。例 1,3,5",
     "track numbers from 1 to %1 separated by commas, such as 1,3,5"},
    {str::kCliNoSuchTrack, "--tracks のトラック %1 はありません（このファイルのトラックは %2 個です）。",
     "--tracks names track %1, but the file has %2 tracks."},
    {str::kCliInfoTrackList, "トラック一覧（番号、名前、チャンネル、音符）", "track list (number, name, channels, notes)"},
    {str::kCliInfoLeftOut, "（読み込まない）", "(left out)"},
    {str::kCutterHoleTooLarge,
     "直径 %1 mm の穴では、%2 mm 間隔で並ぶ列の間に %3 mm の紙も残りません。穴の直径は %4 mm 以下にしてください。",
     "A hole of %1 mm leaves less than %3 mm of card between rows %2 mm apart: make the hole %4 mm or less."},
    {str::kCliOptionHoleMmRows,
     "穴の直径（mm、0.5〜1.7：1.8 mm 間隔の列の間に 0.1 mm の紙が残る大きさまで）。省略時はオルゴールの櫛の穴と同じ 1.7。",
     "Hole diameter in mm, 0.5 to 1.7 (leaving 0.1 mm of card between rows 1.8 mm apart); 1.7, the comb's own hole, if not given."},
    // The Japanese of these is the one the program always showed.
    {str::kNotesPushedOff, " 個の音符がはみだしました。", " notes were pushed off the canvas."},
    // The Japanese leads with ideographic spaces.
    {str::kPaperSizeFormat, "　%d  x  %d  (x10mm)\n　　　%d  x  %d  (pixel)",
     "  %d  x  %d  (x10mm)\n      %d  x  %d  (pixel)"},
    {str::kImageFileFilter, "画像 (*.jpg, *.jpeg, *.bmp, *.gif)", "Pictures (*.jpg, *.jpeg, *.bmp, *.gif)"},
    {str::kDeviceNameTrail, "　〟\n　　　　　　　", "\n"},
    {str::kRedoTeethAssignment, "既存のサブライム割当てを無視してやり直す",
     "Ignore the present assignment to the teeth and start again"},
    {str::kAboutEditionVersion, "Zembra　33ノート版　Ver %1", "Zembra  33 note edition  Ver %1"},
    {str::kProductName, "Zembra", "Zembra"},
    {str::kPaneNameFirst, "メッセージ", "Message"},
    {str::kPaneTipFirst, "マウスの下のコマンドの説明や、処理の状況を表示します",
     "Describes the command under the mouse, and what the program is doing"},
    {str::kPaneNameFirst + 2, "横の位置", "Horizontal position"},
    {str::kPaneTipFirst + 2, "マウス（またはその下の音符）の横の位置（ピクセル）。演奏中は拍",
     "Where the mouse, or the note under it, is across the canvas, in pixels; the beat while the song plays"},
    {str::kPaneNameFirst + 4, "縦の位置", "Vertical position"},
    {str::kPaneTipFirst + 4, "マウス（またはその下の音符）の縦の位置（ピクセル）。演奏中は小節",
     "Where the mouse, or the note under it, is down the canvas, in pixels; the bar while the song plays"},
    {str::kPaneNameFirst + 6, "音符数", "Notes"},
    {str::kPaneTipFirst + 6, "曲の音符の数", "How many notes the song has"},
    {str::kPaneNameFirst + 8, "近すぎる音符", "Notes too close"},
    {str::kPaneTipFirst + 8, "間隔チェック中、前の音符に近すぎて鳴らない音符の数",
     "While Check Distance is on, how many notes are too close to the one before them to sound"},
    {str::kPaneNameFirst + 10, "テンポ", "Tempo"},
    {str::kPaneTipFirst + 10, "曲のテンポ（1分あたりの拍数）", "The tempo of the song, in beats per minute"},
    {str::kPaneNameFirst + 12, "臨時の移調", "Temporary transposition"},
    {str::kPaneTipFirst + 12, "キャンバス上の臨時の移調（半音）と、それによる調",
     "The temporary transposition on the canvas, in semitones, and the key it gives"},
    {str::kPaneNameFirst + 14, "カナ ロック", "Kana lock"},
    {str::kPaneTipFirst + 14, "キーボードのカナ ロックの表示欄", "Keyboard indicator: Kana lock"},
    {str::kPaneNameFirst + 16, "Caps Lock", "Caps Lock"},
    {str::kPaneTipFirst + 16, "キーボードの Caps Lock の表示欄", "Keyboard indicator: Caps Lock"},
    {str::kPaneNameFirst + 18, "Num Lock", "Num Lock"},
    {str::kPaneTipFirst + 18, "キーボードの Num Lock の表示欄", "Keyboard indicator: Num Lock"},
    {str::kPaneNameFirst + 20, "Scroll Lock", "Scroll Lock"},
    {str::kPaneTipFirst + 20, "キーボードの Scroll Lock の表示欄", "Keyboard indicator: Scroll Lock"},
    {str::kBoxFileRefused, "オルゴールのファイル %1 は使えません: %2", "The box file %1 cannot be used: %2"},
    {str::kBoxFileUnreadable, "読めません（%1）。", "it cannot be read (%1)."},
    {str::kBoxNotJson, "JSON のオブジェクトではありません。", "it is not a JSON object."},
    {str::kBoxMissingField, "項目 \"%1\" がありません。", "the field \"%1\" is missing."},
    {str::kBoxWrongType, "項目 \"%1\" の値の形が正しくありません。", "the field \"%1\" does not hold what it should."},
    {str::kBoxTooFewNotes, "項目 \"%1\" の音が %2 より少なすぎます。", "the field \"%1\" has fewer than %2 notes."},
    {str::kBoxTooManyNotes, "項目 \"%1\" の音が %2 を超えています。", "the field \"%1\" has more than %2 notes."},
    {str::kBoxNoteOutOfRange, "項目 \"%1\" に 0〜127 の外の音があります。", "the field \"%1\" holds a note outside 0 to 127."},
    {str::kBoxNotesOutOfOrder, "項目 \"%1\" の音が低い順に並んでいません。", "the notes of the field \"%1\" do not rise from low to high."},
    {str::kBoxSizeNotPositive, "項目 \"%1\" は 0 より大きくしてください。", "the field \"%1\" must be more than 0."},
    {str::kBoxRowsOutsideStrip, "項目 \"%1\" では列がカードの幅に収まりません。", "with the field \"%1\" the rows do not fit inside the strip."},
    {str::kBoxHoleTooWide, "項目 \"%1\" の穴が列の間隔に対して大きすぎます。", "the hole of the field \"%1\" is too wide for the row pitch."},
    {str::kBoxTuningMismatch, "項目 \"%1\" は音ごとに一つずつ値が要ります。", "the field \"%1\" must give one value for each note."},
    {str::kCliOptionBox, "オルゴール: 15、20、30、30F、33（省略時）、またはオルゴールのファイル。",
     "The music box: 15, 20, 30, 30F, 33 (if not given), or a box file."},
    {str::kCliBoxExpected, "15、20、30、30F、33、またはオルゴールのファイル", "15, 20, 30, 30F, 33 or a box file"},
    {str::kCliOptionHoleMmBox,
     "穴の直径（mm、0.5 から、オルゴールの列の間に 0.1 mm の紙が残る大きさまで：33 ノートの 1.8 mm 間隔なら 1.7）。省略時はオルゴールの櫛の穴と同じ大きさ。",
     "Hole diameter in mm, from 0.5 up to what leaves 0.1 mm of card between the box's rows (1.7 on the 33-note box's rows 1.8 mm apart); the box's own hole if not given."},
    {str::kSettingsBoxLabel, "オルゴール", "Music box"},
    {str::kBoxSwitchLine, "このオルゴールでは音符 %1 個がそのまま、%2 個がオクターブ移動、%3 個が消えます。",
     "On this box %1 notes stay, %2 move by octaves and %3 are removed."},
    {str::kBoxSwitchLineNoFold, "このオルゴールでは音符 %1 個がそのまま、%2 個が消えます。",
     "On this box %1 notes stay and %2 are removed."},
    {str::kCliSummaryBoxes, "内蔵のオルゴールの一覧: 音の数、音域、カードの寸法を表示します",
     "lists the built-in music boxes: their notes, note range and card sizes"},
    {str::kCliInfoBox, "オルゴール", "music box"},
    {str::kCliNoFilesTaken, "このコマンドはファイルを取りません（%1 が指定されました）。",
     "The command takes no file, but %1 was given."},
    {str::kCliOptionBoxesJson, "JSON で出力します（オルゴールごとに1つのオブジェクトの配列）。",
     "Writes JSON: an array of one object per box."},
    {str::kCliBoxesId, "ID", "id"},
    {str::kCliBoxesName, "名前", "name"},
    {str::kCliBoxesNotes, "音数", "notes"},
    {str::kCliBoxesRange, "音域", "range"},
    {str::kCliBoxesStrip, "カード幅 mm", "strip mm"},
    {str::kCliBoxesFirstRow, "端から最初の列 mm", "first row mm"},
    {str::kCliBoxesRowPitch, "列の間隔 mm", "row pitch mm"},
    {str::kCliBoxesHole, "穴 mm", "hole mm"},
    {str::kCliBoxesRepeat, "同じ列の最短間隔 mm", "shortest repeat mm"},
    {str::kCliBoxesPaperPerTurn, "1回転の送り mm", "paper per turn mm"},
    {str::kBoxFileCaption, "オルゴールのファイルを選ぶ", "Choose a Box File"},
    {str::kBoxFileFilter, "オルゴールのファイル (*.json)", "Box files (*.json)"},
    {str::kBoxKeepFailed, "オルゴールを %1 に保存できませんでした。", "The box could not be kept in %1."},
    {str::kBoxSwitchQuestion,
     "曲をオルゴール「%1」に移します。\n"
     "同じ音の列に残る音符: %2\n"
     "オクターブ移す音符: %3\n"
     "削除する音符: %4\n"
     "オルゴールを替えますか？",
     "The song moves onto the box \"%1\".\n"
     "Notes that stay on the row of their pitch: %2\n"
     "Notes moved by octaves: %3\n"
     "Notes removed: %4\n"
     "Do you want to change the box?"},
    {str::kPromptBoxFile,
     "オルゴールのファイルを読み込み、曲のオルゴールにします\n"
     "オルゴール",
     "Read a box of your own from its file and make it the song's box\n"
     "Music box"},
    {str::kBoxNotKnown, "この曲のオルゴール（%1）はこのプログラムでは使えません。ほかのプログラムのファイルとして開きます。",
     "This song is for a music box this program does not know (%1): it opens as a file from elsewhere."},
    {str::kPasteNotPlayable, "%1 個の音は、このオルゴールでは鳴らせないので貼り付けませんでした。",
     "%1 notes were left out: the box cannot play them."},
    {str::kTagBoxOpen, "<BX>", "<BX>"},
    {str::kTagBoxClose, "</BX>", "</BX>"},
    {str::kArrangeMovedOctave, "オクターブ移動", "moved by an octave"},
    {str::kArrangeReplaced, "置き換え", "replaced"},
    {str::kArrangeDropped, "削除", "dropped"},
    {str::kArrangeReasonFirst + 0, "オルゴールにない音", "the box has no such note"},
    {str::kArrangeReasonFirst + 1, "同じ列の前後の音に近すぎる", "too close to another note on its row"},
    {str::kArrangeReasonFirst + 2, "同時に鳴る音と半音違い", "a semitone from a note at the same time"},
    {str::kArrangeReasonFirst + 3, "同時に鳴る音が上限に達している", "as many notes at once as the chord limit"},
    {str::kArrangeReasonFirst + 4, "メロディより高い", "above the melody"},
    {str::kArrangeReasonFirst + 5, "キャンバスがいっぱい", "the canvas is full"},
    {str::kArrangeReasonFirst + 6, "同じ音がすでに鳴っている", "the same note already sounds"},
    {str::kArrangeMelodyTag, "メロディ", "melody"},
    {str::kArrangeListHeader, "小節.拍\t元の音\tカードの音\t変更\t理由", "Bar.beat\tIn the file\tOn the card\tChange\tReason"},
    {str::kArrangeSummary,
     "移調 %1、メロディのトラック %2: メロディ %4 音のうち %3 音を残し（%5 音が最高音）、小節の頭の低音 %7 か所のうち %6 か所を残しました。変更 %8 か所。",
     "Transposition %1, melody track %2: %3 of %4 melody notes kept (%5 of them on top), the bass kept at %6 of %7 bar starts; %8 changes."},
    {str::kCliInfoCrank, "クランク", "crank"},
    {str::kCrankFigures, "毎分 %1 回転、演奏 %2 秒、カード %3 m", "%1 turns a minute, playing %2 s, card %3 m"},
    {str::kCrankTooFast, "（手で回すには速すぎます）", "(too fast for a hand)"},
};

constexpr bool strictlyAscending()
{
    return std::adjacent_find(std::begin(kAdded), std::end(kAdded),
                              [](const TextEntry& a, const TextEntry& b) { return a.id >= b.id; })
        == std::end(kAdded);
}
static_assert(strictlyAscending(), "the added texts must be ordered by id without repeats");
static_assert(kAdded[0].id >= kLaterAddedTexts && std::end(kAdded)[-1].id <= kLastAddedText,
              "the later added texts keep to their run of ids");

} // namespace

std::span<const TextEntry> laterAddedTexts()
{
    return kAdded;
}

} // namespace zembra
