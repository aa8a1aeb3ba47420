#pragma once

// Ids of the string table (app/strings.h). Each text has a Japanese and an English form.
// Ids marked "no text" are known by number only: text() gives an empty view for them.
namespace zembra::str {

// Application title (also the name of the settings) and the face name of every font.
inline constexpr int kFontFace = 40002;
inline constexpr int kAppTitle = 57344;

// Status bar indicators; their texts size the panes.
inline constexpr int kIndicatorCaps = 59137;
inline constexpr int kIndicatorNum = 59138;
inline constexpr int kIndicatorScroll = 59139;
inline constexpr int kIndicatorKana = 59142;
inline constexpr int kIndicatorNoteCount = 59143;
inline constexpr int kIndicatorX = 59144;
inline constexpr int kIndicatorY = 59145;
inline constexpr int kIndicatorCheck = 59146;
inline constexpr int kIndicatorTempo = 59147;
inline constexpr int kIndicatorTransposition = 59148;

// Status bar prompts of commands: they share the command's id. The text before "\n" is the
// status line, the text after it the tool tip.
inline constexpr int kPromptDistanceCheck = 32801;
inline constexpr int kPromptSetTempo = 32809;
inline constexpr int kPromptValveAssignment = 32830;
inline constexpr int kPromptPrint = 57607;
inline constexpr int kPromptPreview = 57609;
// Prompts of toolbar buttons whose command has none of its own.
inline constexpr int kPromptToggleSelect = 41012;
inline constexpr int kPromptZoomMode = 41013;
inline constexpr int kPromptShiftAfterDrag = 41014;
inline constexpr int kPromptContextHelp = 41015;

// Canvas view: hint, note limit, moves that push notes off the canvas, settings texts.
inline constexpr int kCanvasHint = 40018;
inline constexpr int kCanvasSettingsInfo = 40021;
inline constexpr int kTemporaryTranspositionLabel = 40022;
inline constexpr int kTemporaryTranspositionHelp = 40023; // no text
inline constexpr int kNotSoundableCount = 40107;
inline constexpr int kNoteLimit = 40111;
inline constexpr int kMoveClearsNotes = 40174;
inline constexpr int kMoveCaption = 40175;

// Song defaults and the document.
inline constexpr int kSongTrackName = 40082;
inline constexpr int kImportedMark = 40108;
inline constexpr int kNoAuthor = 40109;
inline constexpr int kDefaultTitle = 40110;
inline constexpr int kUntitled = 40176;

// Song tags in the text event of a song file. Opening and closing marker of bar length,
// screen scale, bar count, title and author.
inline constexpr int kTagBarLengthOpen = 40073;
inline constexpr int kTagBarLengthClose = 40074;
inline constexpr int kTagScaleOpen = 40075;
inline constexpr int kTagScaleClose = 40076;
inline constexpr int kTagBarsOpen = 40077;
inline constexpr int kTagBarsClose = 40078;
inline constexpr int kTagTitleOpen = 40079;
inline constexpr int kTagTitleClose = 40080;
inline constexpr int kTagAuthorOpen = 40086;
inline constexpr int kTagAuthorClose = 40087;

// Key names: kKeyNameFirst + i is the key i semitones above C and kMinorNameFirst + i its
// relative minor. The flat keys and minors after them complete the key signatures of MIDI files.
inline constexpr int kKeyNameC = 40042;
inline constexpr int kKeyNameCSharp = 40043;
inline constexpr int kKeyNameD = 40044;
inline constexpr int kKeyNameEFlat = 40045;
inline constexpr int kKeyNameE = 40046;
inline constexpr int kKeyNameF = 40047;
inline constexpr int kKeyNameFSharp = 40048;
inline constexpr int kKeyNameG = 40049;
inline constexpr int kKeyNameAFlat = 40050;
inline constexpr int kKeyNameA = 40051;
inline constexpr int kKeyNameBFlat = 40052;
inline constexpr int kKeyNameB = 40053;
inline constexpr int kMinorNameA = 40054;
inline constexpr int kMinorNameBFlat = 40055;
inline constexpr int kMinorNameB = 40056;
inline constexpr int kMinorNameC = 40057;
inline constexpr int kMinorNameCSharp = 40058;
inline constexpr int kMinorNameD = 40059;
inline constexpr int kMinorNameDSharp = 40060;
inline constexpr int kMinorNameE = 40061;
inline constexpr int kMinorNameF = 40062;
inline constexpr int kMinorNameFSharp = 40063;
inline constexpr int kMinorNameG = 40064;
inline constexpr int kMinorNameGSharp = 40065;
inline constexpr int kMinorNameASharp = 40092;
inline constexpr int kKeyNameDFlat = 40093;
inline constexpr int kKeyNameGFlat = 40094;
inline constexpr int kKeyNameCFlat = 40095;
inline constexpr int kMinorNameEFlat = 40096;
inline constexpr int kMinorNameAFlat = 40097;
inline constexpr int kKeyNameFirst = kKeyNameC;
inline constexpr int kMinorNameFirst = kMinorNameA;

// Reading and saving files.
inline constexpr int kTrackCreateFailed = 40068;
inline constexpr int kTrackReadFailed = 40069;
inline constexpr int kImageLoadFailed = 40081;
inline constexpr int kInitFailed = 40083;
inline constexpr int kCannotOpenFile = 40084;
inline constexpr int kNothingToSave = 40085;
inline constexpr int kSaveOpenFailed = 40088;
inline constexpr int kSaveFailed = 40089;
inline constexpr int kSaveRetry = 40090;
inline constexpr int kMidiFileOpenFailed = 40091;
// %s is the full path of the file that would be replaced.
inline constexpr int kReplaceQuestion = 41010;
// A command that could not finish (out of memory and the like); the song was put back.
inline constexpr int kCommandFailed = 41011;

// Counts and captions of the MIDI import prompt.
inline constexpr int kPieces = 40035;
inline constexpr int kImportableNotes = 40036;
inline constexpr int kNotImportableNotes = 40037;
inline constexpr int kImportCaption = 40038;
inline constexpr int kImportTranspositionLabel = 40162;
inline constexpr int kImportTranspositionHelp = 40163; // no text
// Added to the import's information line when the piece is longer than the canvas can be.
inline constexpr int kOnlyFirstBarsPlaced = 41050;

// Canvas settings dialog.
inline constexpr int kCheckParameters = 40113;
inline constexpr int kSettingsTitleLabel = 40152;
inline constexpr int kSettingsAuthorLabel = 40153;
inline constexpr int kSettingsBeatsLabel = 40154;
inline constexpr int kSettingsBeatsHelp = 40155;
inline constexpr int kSettingsBarCountLabel = 40156;
inline constexpr int kSettingsBarCountHelp = 40157;
inline constexpr int kSettingsBarLengthLabel = 40158;
inline constexpr int kSettingsBarLengthHelp = 40159; // no text
inline constexpr int kSettingsScaleLabel = 40160;
inline constexpr int kSettingsScaleHelp = 40161; // no text
inline constexpr int kSettingsTempoLabel = 40164;
inline constexpr int kSettingsTempoLock = 40165; // no text
inline constexpr int kSettingsEditorButton = 40166;
inline constexpr int kSettingsCancel = 40167;
inline constexpr int kSettingsOk = 40168;
inline constexpr int kSettingsCaption = 40169;
inline constexpr int kSettingsInfoDefault = 40170;

// MIDI import edit dialog.
inline constexpr int kNoNotesInFile = 40098;
inline constexpr int kEditorHintRangePlay = 40099;
inline constexpr int kEditorHintMagnifier = 40100;
inline constexpr int kEditorHintCut = 40101;
inline constexpr int kEditorHintOctave = 40102;
inline constexpr int kEditorHintDuplicates = 40103;
inline constexpr int kEditorHintUndo = 40104;
inline constexpr int kDuplicatesDeleted = 40105;
inline constexpr int kNoDuplicates = 40106;
inline constexpr int kEditorPlay = 40137;
inline constexpr int kEditorStop = 40138;
inline constexpr int kEditorOctaveUp = 40139;
inline constexpr int kEditorOctaveDown = 40140;
inline constexpr int kEditorSelectAll = 40141;
inline constexpr int kEditorCut = 40142;
inline constexpr int kEditorDeleteDuplicates = 40143;
inline constexpr int kEditorUndo = 40144;
inline constexpr int kEditorCancel = 40145;
inline constexpr int kEditorOk = 40146;
inline constexpr int kEditorAllNotes = 40147;
inline constexpr int kEditorCanvasNotesOnly = 40148;
inline constexpr int kEditorTimeSignature = 40149;
inline constexpr int kEditorTransposition = 40150;
inline constexpr int kEditorTitle = 40151;
inline constexpr int kEditorCanvasLimitLead = 40171;
inline constexpr int kEditorCanvasLimitTail = 40172;
inline constexpr int kEditorCounts = 40173;

// Card printing, print settings dialog and the card label.
inline constexpr int kNoDefaultPrinter = 40001;
inline constexpr int kPrintIncomplete = 40019;
inline constexpr int kPrintImageLoadFailed = 40039;
inline constexpr int kPrintLoadImage = 40122;
inline constexpr int kPrintReleaseImage = 40123;
inline constexpr int kPrintPaperSetting = 40124;
inline constexpr int kPrintPreview = 40125;
inline constexpr int kPrintPrint = 40126;
inline constexpr int kPrintCancel = 40127;
inline constexpr int kPrintFitSong = 40128;
inline constexpr int kPrintRuledLines = 40129;
inline constexpr int kPrintSwapHighLow = 40130;
inline constexpr int kPrintRepeatImage = 40131;
inline constexpr int kPrintMirrorCard = 40132;
inline constexpr int kPrintThickLines = 40133;
inline constexpr int kPrintBlackLines = 40134;
inline constexpr int kPrintBarLengthLabel = 40135;
inline constexpr int kPrintDialogTitle = 40136;
inline constexpr int kPrintTextColour = 40180;
inline constexpr int kPrintDefaultColour = 40181;
inline constexpr int kPrintTwoRows = 40186;
inline constexpr int kMovementLabel = 40189;
inline constexpr int kAboutEdition = 40191;

// MIDI output and the sequencer clock.
inline constexpr int kDeviceMayNotSound = 40031;
inline constexpr int kDeviceMayNotSoundAdvice = 40032;
inline constexpr int kMidiOutOpenFailed = 40041;
inline constexpr int kMidiSyncOpenFailed = 40114;

// Save-confirm dialog.
inline constexpr int kSaveQuestion = 40115;
inline constexpr int kSaveReturn = 40116;
inline constexpr int kSaveDiscard = 40117;
inline constexpr int kSaveConfirm = 40118;
inline constexpr int kSaveAsCheck = 40119;

// Audio export.
inline constexpr int kExportAudioFailed = 41001;
inline constexpr int kExportNoSynthesizer = 41002;
inline constexpr int kExportProgress = 41003;
inline constexpr int kExportCancel = 41004;
inline constexpr int kExportFilter = 41005;

// Card output beyond the print settings dialog: jobs that cannot be laid out, PDF export, the
// late start of the card.
inline constexpr int kCardBarTooLong = 41100;
inline constexpr int kCardNoPaperSize = 41101;
inline constexpr int kCardPdfFilter = 41102;
inline constexpr int kCardPdfFailed = 41103;
inline constexpr int kCardStartsLater = 41104;
inline constexpr int kCardPdfCaption = 41105;
// Card files for laser and vinyl cutters.
inline constexpr int kCutterCaption = 41120;
inline constexpr int kCutterFormat = 41121;
inline constexpr int kCutterHole = 41122;
inline constexpr int kCutterKerf = 41123;
inline constexpr int kCutterLayout = 41124;
inline constexpr int kCutterLayoutPages = 41125;
inline constexpr int kCutterLayoutStrips = 41126;
inline constexpr int kCutterEngrave = 41127;
inline constexpr int kCutterExport = 41128;
inline constexpr int kCutterSvgFilter = 41129;
inline constexpr int kCutterDxfFilter = 41130;
inline constexpr int kCutterFailed = 41131;
inline constexpr int kCutterBadSizes = 41132;
inline constexpr int kCutterPrintSettings = 41133;
// Printer calibration and strip numbers.
inline constexpr int kCalibrationTitle = 41160;
inline constexpr int kCalibrationPrinter = 41161;
inline constexpr int kCalibrationAlongLabel = 41162;
inline constexpr int kCalibrationAcrossLabel = 41163;
inline constexpr int kCalibrationForget = 41164;
inline constexpr int kCalibrationOk = 41165;
inline constexpr int kCalibrationCancel = 41166;
inline constexpr int kCalibrationNotANumber = 41167;
inline constexpr int kCalibrationOutOfRange = 41168;
inline constexpr int kCalibrationNoPrinter = 41169;
inline constexpr int kCalibrationStatusCalibrated = 41170;
inline constexpr int kCalibrationStatusNone = 41171;
inline constexpr int kCalibrationStatusPdf = 41172;
inline constexpr int kCalibrationStripHeading = 41173;
inline constexpr int kCalibrationStripAdvice = 41174;
inline constexpr int kCalibrationPageTooSmall = 41175;
inline constexpr int kCalibrationPrintFailed = 41176;
inline constexpr int kCalibrationSaveFailed = 41177;
inline constexpr int kPrintStripNumbers = 41178;
inline constexpr int kCalibrationAdvice = 41179;
// MIDI keyboard input in the "&Midi" menu.
inline constexpr int kMidiInputHeading = 41200;
inline constexpr int kNoMidiInput = 41201;
inline constexpr int kMidiInputOpenFailed = 41202;
// The print settings' marks for putting a long card together.
inline constexpr int kPrintBarNumbersNone = 41203;
inline constexpr int kPrintBarNumbersEvery = 41204;
inline constexpr int kPrintBarNumbersFourth = 41205;
inline constexpr int kPrintTitleFirstStrip = 41206;
inline constexpr int kPrintStripTitles = 41207;
inline constexpr int kPrintBlankLength = 41208;
inline constexpr int kPrintBlanksNeeded = 41209; // %1 the number of blanks, %2 where each ends
inline constexpr int kPrintBlankEnd = 41210;     // %1 the bar, %2 the beat
inline constexpr int kPrintBlanksStuck = 41211;  // %1 the bar, %2 the beat
inline constexpr int kPrintBlankRoll = 41212;
inline constexpr int kCardNoRestToCut = 41213; // %1 the bar
inline constexpr int kPrintJoinButt = 41214;
inline constexpr int kPrintJoinOverlap = 41215; // %1 the glue zone in mm
inline constexpr int kPrintSplitAtRests = 41216;
inline constexpr int kPrintLoop = 41217;
inline constexpr int kCardLoopNoSeam = 41218;
inline constexpr int kPrintSplitAtBars = 41219;
inline constexpr int kPrintNoLoop = 41220;

// The command line: its help, the names of what `info` reports, and its messages.
inline constexpr int kCliUsage = 41300;
// The command line's options for the marks that put a long card together.
inline constexpr int kCliOptionBarNumbers = 41560;
inline constexpr int kCliOptionStripNumbers = 41561;
inline constexpr int kCliOptionNoStripNumbers = 41562;
inline constexpr int kCliOptionTitles = 41563;
inline constexpr int kCliOptionJoin = 41564;
inline constexpr int kCliOptionSplitAtRests = 41565;
inline constexpr int kCliOptionBlankMm = 41566;
inline constexpr int kCliOptionLoop = 41567;
inline constexpr int kCliCommandsHeading = 41301;
inline constexpr int kCliOptionsHeading = 41302;
inline constexpr int kCliMoreHelp = 41303;
inline constexpr int kCliExitStatus = 41304;
inline constexpr int kCliEnvironment = 41305;
inline constexpr int kCliCommandUsage = 41306; // %1 the command, %2 its arguments
inline constexpr int kCliVersion = 41307;      // %1 the version
inline constexpr int kCliScreenshot = 41308;
inline constexpr int kCliSummaryInfo = 41310;
inline constexpr int kCliSummarySong = 41311;
inline constexpr int kCliSummaryCard = 41312;
inline constexpr int kCliSummaryWav = 41313;
inline constexpr int kCliSummarySvg = 41314;
inline constexpr int kCliSummaryDxf = 41315;
inline constexpr int kCliOptionHelp = 41320;
inline constexpr int kCliOptionVersion = 41321;
inline constexpr int kCliOptionOutput = 41322;
inline constexpr int kCliOptionQuiet = 41323;
inline constexpr int kCliOptionJson = 41324;
inline constexpr int kCliOptionTranspose = 41325;
inline constexpr int kCliOptionBars = 41326;
inline constexpr int kCliOptionCheckBarMm = 41327;
inline constexpr int kCliOptionBarMm = 41328;
inline constexpr int kCliOptionMirror = 41329;
inline constexpr int kCliOptionSwap = 41330;
inline constexpr int kCliOptionTwoRows = 41331;
inline constexpr int kCliOptionNoLines = 41332;
inline constexpr int kCliOptionThick = 41333;
inline constexpr int kCliOptionBlack = 41334;
inline constexpr int kCliOptionImage = 41335;
inline constexpr int kCliOptionTextColour = 41336;
inline constexpr int kCliOptionPaper = 41337;
inline constexpr int kCliOptionPortrait = 41338;
inline constexpr int kCliOptionLandscape = 41339;
inline constexpr int kCliOptionNoFit = 41340;
inline constexpr int kCliArgumentFiles = 41341;
inline constexpr int kCliOptionHoleMm = 41342;
inline constexpr int kCliOptionKerfMm = 41343;
inline constexpr int kCliOptionLayout = 41344;
inline constexpr int kCliOptionNoEngrave = 41345;
inline constexpr int kCliUnknownCommand = 41350;  // %1 the command
inline constexpr int kCliReservedCommand = 41351; // %1 the command
inline constexpr int kCliNoInput = 41352;
inline constexpr int kCliNoOutput = 41353;
inline constexpr int kCliBadValue = 41354;        // %1 the option, %2 the value, %3 what it may be
inline constexpr int kCliUnknownOption = 41355;   // %1 the option
inline constexpr int kCliBadArguments = 41356;    // %1 the parser's own words
inline constexpr int kCliOutputNotFolder = 41357; // %1 the path
inline constexpr int kCliCannotMakeFolder = 41358;
inline constexpr int kCliCannotRead = 41359;      // %1 the reader's reason
inline constexpr int kCliDamaged = 41360;         // %1 where the damage begins
inline constexpr int kCliNoTracks = 41361;
inline constexpr int kCliCannotWrite = 41362;     // %1 the path, %2 the reason
inline constexpr int kCliSameOutput = 41363;      // %1 the path
inline constexpr int kCliOutputIsInput = 41364;   // %1 the path
inline constexpr int kCliNoNotes = 41365;
inline constexpr int kCliImageUnreadable = 41366; // %1 the path
inline constexpr int kCliFailedCount = 41367;     // %1 failed, %2 files
inline constexpr int kCliWriting = 41368;         // %1 index, %2 count, %3 the input, %4 the output
inline constexpr int kCliRendering = 41369;       // %1 percent
inline constexpr int kCliUnexpected = 41370;      // %1 what was caught
inline constexpr int kCliNotSoundFont = 41371;
inline constexpr int kCliReading = 41372;         // %1 index, %2 count, %3 the input
inline constexpr int kCliTooManyValues = 41373;   // %1 the option
inline constexpr int kCliExclusive = 41374;       // %1 and %2 the options
inline constexpr int kCliInfoFormat = 41375;
inline constexpr int kCliInfoTracks = 41376;      // %1 read, %2 in the file
inline constexpr int kCliInfoResolution = 41377;  // %1 ticks
inline constexpr int kCliInfoTempo = 41378;       // %1 microseconds, %2 bpm
inline constexpr int kCliInfoTimeSignature = 41379;
inline constexpr int kCliInfoBeats = 41380;
inline constexpr int kCliInfoKey = 41381;
inline constexpr int kCliInfoTransposition = 41382;
inline constexpr int kCliInfoImportable = 41383;
inline constexpr int kCliInfoNotImportable = 41384;
inline constexpr int kCliInfoPlaced = 41385;
inline constexpr int kCliInfoBars = 41386;
inline constexpr int kCliInfoTooClose = 41387;    // %1 the bar length
inline constexpr int kCliInfoNone = 41388;
inline constexpr int kCliInfoTitle = 41389;
inline constexpr int kCliInfoAuthor = 41390;
inline constexpr int kCliInfoOwnFile = 41391;
inline constexpr int kCliInfoYes = 41392;
inline constexpr int kCliInfoNo = 41393;
inline constexpr int kCliInfoBarsClipped = 41394; // %1 the bars of the piece
inline constexpr int kCliOptionFold = 41395;
inline constexpr int kCliOptionNoDrums = 41396;
inline constexpr int kCliInfoRanking = 41397;
// Fitting an imported file to the comb, and mending the notes that will not sound.
inline constexpr int kFitButton = 41400;
inline constexpr int kFitTransposition = 41401;
inline constexpr int kFitKey = 41402;
inline constexpr int kFitPlayable = 41403;
inline constexpr int kFitNotPlayable = 41404;
inline constexpr int kFitTooClose = 41405;
inline constexpr int kFitFoldOctaves = 41406;
inline constexpr int kFitLeaveOutDrums = 41407;
inline constexpr int kFitButtonTip = 41408;
// %1 is the number of notes moved, %2 of those removed.
inline constexpr int kMendResult = 41409;
inline constexpr int kPromptMend = 41410;
// Arranging for the box in the window: the import settings' button and choices, the bar length
// the melody asks for, the list of changes and Edit > Arrange again.
inline constexpr int kArrangeButton = 41411;
inline constexpr int kArrangeButtonTip = 41412;
inline constexpr int kArrangeMelodyLabel = 41413;
inline constexpr int kArrangeChordLabel = 41414;
inline constexpr int kArrangeTrackEntry = 41415;   // %1 track number, %2 its name, %3 its notes
inline constexpr int kArrangeTrackUnnamed = 41416; // %1 track number
inline constexpr int kArrangeChangesButton = 41417;
inline constexpr int kArrangeChangesCaption = 41418;
inline constexpr int kArrangeSaveText = 41419;
inline constexpr int kArrangeTextFilter = 41420;
inline constexpr int kArrangeSaveFailed = 41421;   // %1 the file
inline constexpr int kArrangeBarHint = 41422;      // %1 the bar length in mm
inline constexpr int kArrangeBarNone = 41423;
inline constexpr int kArrangeTakeBar = 41424;      // %1 the bar length in mm
inline constexpr int kArrangeAgainCaption = 41425;
inline constexpr int kPromptArrangeAgain = 41426;
inline constexpr int kArrangeClose = 41427;
inline constexpr int kArrangeNothingChanged = 41428;
inline constexpr int kArrangeNoMelody = 41429;
// Arranging for the box from the command line.
inline constexpr int kCliOptionArrange = 41450;
inline constexpr int kCliOptionMelodyTrack = 41451;
inline constexpr int kCliOptionMaxChord = 41452;
inline constexpr int kCliOptionBarMmAuto = 41453;      // --bar-mm of the card and the song, auto too
inline constexpr int kCliOptionCheckBarMmAuto = 41454; // info's --bar-mm, auto too
inline constexpr int kCliBarAutoNeedsArrange = 41455;
inline constexpr int kCliNoSuchMelodyTrack = 41456;    // %1 the track named, %2 the file's tracks
inline constexpr int kCliInfoArrangement = 41457;
inline constexpr int kCliInfoArrangeBar = 41458;       // %1 the bar length taken, in mm
inline constexpr int kCliInfoArrangeBarNone = 41459;   // %1 the bar length kept, in mm
// The crank in the window: the status pane's figures (%1 turns a minute, %2 the playing time in
// minutes and seconds, %3 metres of card), its tool tip (%1 millimetres of card a turn, %2 the
// figures in full) and name, the print settings dialog's line, and Play > Crank's prompt.
inline constexpr int kCrankPane = 41520;
inline constexpr int kCrankPaneTip = 41521;
inline constexpr int kCrankPaneName = 41522;
inline constexpr int kCrankDialogLine = 41523; // %1 the figures in full
inline constexpr int kPromptCrank = 41524;
// A song with unsaved changes kept against a crash.
inline constexpr int kRecoveryOffer = 41600;      // %1 the song's title, %2 when it was kept
inline constexpr int kRecoveryUnreadable = 41601; // %1 the reason
inline constexpr int kRecoveryNotKept = 41602;    // %1 the reason
// Why a file named by the user cannot be used; each goes under the message of what failed.
inline constexpr int kNoSuchFile = 41620;
inline constexpr int kNotRegularFile = 41621;
inline constexpr int kFileNotOpened = 41622;
inline constexpr int kPictureNotRecognised = 41623;
inline constexpr int kPictureFormatRefused = 41624; // %1 the format found
inline constexpr int kPictureTooLarge = 41625;      // %1 x %2 its size, %3 megapixels, %4 pixels on a side
inline constexpr int kPictureUndecodable = 41626;   // %1 the decoder's reason
inline constexpr int kSoundFontUnusable = 41627;    // %1 the path
inline constexpr int kSoundFontNotRiff = 41628;
inline constexpr int kSoundFontNotLoaded = 41629;   // %1 the synthesizer's reason
// %1 notes left out of %2 pasted, %3 the most a song holds.
inline constexpr int kPasteLeftOut = 41630;
// Why a file could not be written: the line under the message that names the file.
inline constexpr int kWriteIsFolder = 41660;
inline constexpr int kWriteIsDevice = 41661;
inline constexpr int kWriteIsFifo = 41662;
inline constexpr int kWriteIsSocket = 41663;
inline constexpr int kWriteNotRegular = 41664;
inline constexpr int kWriteReadOnly = 41665;
inline constexpr int kWriteNoPermission = 41666;
inline constexpr int kWriteDiskFull = 41667;
inline constexpr int kWriteNameTooLong = 41668;
inline constexpr int kWriteReadOnlyDisk = 41669;
inline constexpr int kWriteNoFolder = 41670;
inline constexpr int kWriteTooManyLinks = 41671;
inline constexpr int kWriteFailed = 41672;     // %1 the system's words
inline constexpr int kWriteNotReplaced = 41673; // %1 the system's words
inline constexpr int kWriteCannotCreate = 41674; // %1 the system's words
// %1 the hole, %2 the row pitch, %3 the card to leave between rows, %4 the largest hole, in mm.
inline constexpr int kCutterHoleTooLarge = 41740;
// The command line's --hole-mm, with the limit that leaves card between the rows.
inline constexpr int kCliOptionHoleMmRows = 41741;

// What the canvas leaves out of a long file; the file's tracks in the import settings and on the
// command line.
inline constexpr int kImportOnlyFirstNotes = 41700; // %1 the notes a canvas holds
inline constexpr int kImportOnlyFirstBars = 41701;  // %1 the canvas's bars
inline constexpr int kImportNotesLeftOut = 41702;   // %1 the playable notes left out
inline constexpr int kTrackListCaption = 41703;
inline constexpr int kTrackListNumber = 41704;
inline constexpr int kTrackListName = 41705;
inline constexpr int kTrackListChannel = 41706;
inline constexpr int kTrackListNotes = 41707;
inline constexpr int kTrackListTip = 41708;
inline constexpr int kCliOptionTracks = 41709;
inline constexpr int kCliOptionDrums = 41710;
inline constexpr int kCliTracksExpected = 41711;    // %1 the highest track number
inline constexpr int kCliNoSuchTrack = 41712;       // %1 the track named, %2 the file's tracks
inline constexpr int kCliInfoTrackList = 41713;
inline constexpr int kCliInfoLeftOut = 41714;
// Texts the window showed from outside the table, now in both languages.
inline constexpr int kNotesPushedOff = 41770;   // follows the count of notes a shift after drag pushed off
inline constexpr int kPaperSizeFormat = 41771;  // width and height in tenths of a mm, then in printer pixels
inline constexpr int kImageFileFilter = 41772;
inline constexpr int kDeviceNameTrail = 41773;  // after the name of a device without voices
inline constexpr int kRedoTeethAssignment = 41774; // a canvas settings control that is always hidden
// The about box's product line; %1 is the version the program was built as.
inline constexpr int kAboutEditionVersion = 41775;
// The program's name in the title bar and in the captions of its messages.
inline constexpr int kProductName = 41776;
// The status bar's panes, in order (the message pane, then the indicators): a name for screen
// readers, then a tool tip, for each.
inline constexpr int kPaneNameFirst = 41780;    // pane i: kPaneNameFirst + 2 * i
inline constexpr int kPaneTipFirst = 41781;     // pane i: kPaneTipFirst + 2 * i
inline constexpr int kPaneTextCount = 11;
// A box of one's own that cannot be used: the file, then why, naming the field.
inline constexpr int kBoxFileRefused = 41830;     // %1 the file, %2 one of the reasons below
inline constexpr int kBoxFileUnreadable = 41831;  // %1 the reader's reason
inline constexpr int kBoxNotJson = 41832;
inline constexpr int kBoxMissingField = 41833;    // %1 the field
inline constexpr int kBoxWrongType = 41834;       // %1 the field
inline constexpr int kBoxTooFewNotes = 41835;     // %1 the field, %2 the fewest notes a box has
inline constexpr int kBoxTooManyNotes = 41836;    // %1 the field, %2 the most notes a box has
inline constexpr int kBoxNoteOutOfRange = 41837;  // %1 the field
inline constexpr int kBoxNotesOutOfOrder = 41838; // %1 the field
inline constexpr int kBoxSizeNotPositive = 41839; // %1 the field
inline constexpr int kBoxRowsOutsideStrip = 41840; // %1 the field
inline constexpr int kBoxHoleTooWide = 41841;     // %1 the field
inline constexpr int kBoxTuningMismatch = 41842;  // %1 the field
inline constexpr int kCliOptionBox = 41843;
inline constexpr int kCliBoxExpected = 41844;     // what --box takes
// The arranger's list of what it changed: the kinds of change, then the reasons.
inline constexpr int kArrangeMovedOctave = 41940;
inline constexpr int kArrangeReplaced = 41941;
inline constexpr int kArrangeDropped = 41942;
inline constexpr int kArrangeReasonFirst = 41943; // reason r (ArrangeReason minus one): kArrangeReasonFirst + r
inline constexpr int kArrangeReasonCount = 7;
inline constexpr int kArrangeMelodyTag = 41950;
inline constexpr int kArrangeListHeader = 41951;
// %1 transposition, %2 melody track, %3 kept, %4 melody notes, %5 on top, %6 bass kept, %7 bar
// starts with a bass, %8 changes
inline constexpr int kArrangeSummary = 41952;
// The box's own sound: the song file's tuning tag (the same in both tables), the Play menu's
// setting and Tuning submenu, and the command line's options for them.
inline constexpr int kTagTuningOpen = 41480;
inline constexpr int kTagTuningClose = 41481;
inline constexpr int kPlayAsBox = 41482;
inline constexpr int kPromptPlayAsBox = 41483; // the status line, then after "\n" the tool tip
inline constexpr int kTuningMenu = 41484;
inline constexpr int kTuningEqual = 41485;
inline constexpr int kTuningMeantone = 41486;
inline constexpr int kTuningJust = 41487;
inline constexpr int kTuningBox = 41488;
inline constexpr int kTuningBuiltInOnly = 41489;
inline constexpr int kCliOptionAsBox = 41490;
inline constexpr int kCliOptionPlain = 41491;
inline constexpr int kCliOptionTuning = 41492;
// The crank: the info line's name, its figures (%1 turns a minute, %2 seconds, %3 metres), and
// the words after them when the crank turns faster than a hand comfortably does.
inline constexpr int kCliInfoCrank = 41960;
inline constexpr int kCrankFigures = 41961;
inline constexpr int kCrankTooFast = 41962;
// Songs, the clipboard and the boxes they are for.
inline constexpr int kBoxNotKnown = 41920;        // %1 the box the song file names
inline constexpr int kPasteNotPlayable = 41921;   // %1 the notes left out
inline constexpr int kTagBoxOpen = 41922;         // the song file's box tag, the same in both tables
inline constexpr int kTagBoxClose = 41923;
// The command line's --hole-mm on any box: its limit follows the box's rows, its default is the
// box's own hole.
inline constexpr int kCliOptionHoleMmBox = 41850;
// File > Box...: choosing a box of one's own, keeping it, and moving the song onto it.
inline constexpr int kBoxFileCaption = 41890;
inline constexpr int kBoxFileFilter = 41891;
inline constexpr int kBoxKeepFailed = 41892;      // %1 the file the box is kept in; the reason follows
// %1 the box's name; %2 notes that stay on their rows, %3 moved by octaves, %4 removed
inline constexpr int kBoxSwitchQuestion = 41893;
inline constexpr int kPromptBoxFile = 41894;
// The choice of box in the settings, and the command line's boxes.
inline constexpr int kSettingsBoxLabel = 41870;
inline constexpr int kBoxSwitchLine = 41871;       // %1 notes kept, %2 moved by octaves, %3 removed
inline constexpr int kBoxSwitchLineNoFold = 41872; // %1 notes kept, %2 removed
inline constexpr int kCliSummaryBoxes = 41873;
inline constexpr int kCliInfoBox = 41874;
inline constexpr int kCliNoFilesTaken = 41875;     // %1 the first argument given
inline constexpr int kCliOptionBoxesJson = 41876;
// The columns of `zembra boxes`.
inline constexpr int kCliBoxesId = 41877;
inline constexpr int kCliBoxesName = 41878;
inline constexpr int kCliBoxesNotes = 41879;
inline constexpr int kCliBoxesRange = 41880;
inline constexpr int kCliBoxesStrip = 41881;
inline constexpr int kCliBoxesFirstRow = 41882;
inline constexpr int kCliBoxesRowPitch = 41883;
inline constexpr int kCliBoxesHole = 41884;
inline constexpr int kCliBoxesRepeat = 41885;
inline constexpr int kCliBoxesPaperPerTurn = 41886;

} // namespace zembra::str
