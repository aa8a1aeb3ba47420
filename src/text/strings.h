#pragma once

#include <span>
#include <string_view>

// The string table: every text the program shows by id, in Japanese and in English (UTF-8).
// The texts are kept exactly as the program has always shown them, spelling included.
namespace zembra {

enum class Language { Japanese, English };

// Process-wide choice of table; English until set.
void setLanguage(Language language);
Language language();

// The text of `id` in the current language, or an empty view when the id has no text.
std::string_view text(int id);
std::string_view text(int id, Language language);
bool hasText(int id);

// Japanese for a Japanese locale name ("ja_JP.UTF-8", "ja-JP", "Japanese_Japan.932"), English
// otherwise. `overrideEnv` is the value of ZEMBRA_LANG or null; "ja" or "en" there wins over
// the locale, anything else is ignored.
Language languageFromLocaleName(std::string_view localeName, const char* overrideEnv);

struct TextEntry {
    int id;
    std::string_view japanese;
    std::string_view english;
};

// The whole table, ordered by id.
std::span<const TextEntry> textTable();

// Texts the program shows that have no id in the table.
// Japanese only: the count of notes a shift after drag pushed off the canvas goes before it.
inline constexpr char kTextNotesOutside[] = " 個の音符がはみだしました。";
inline constexpr char kTextClipboardGetError[] = "Clipboard Data Get Error ";
// %s is the path of the help file.
inline constexpr char kTextHelpFileMissing[] = "Not Exist Html Help File\n\n   File Path [ %s ]";
// Printer paper report: the heading, then width and height in tenths of a millimetre and in
// printer pixels. The leading blanks are ideographic spaces.
inline constexpr char kTextPaperSizeHeading[] = "Size of Paper \n";
inline constexpr char kTextPaperSizeFormat[] = "　%d  x  %d  (x10mm)\n　　　%d  x  %d  (pixel)";
// Follows the author on the canvas, in brackets.
inline constexpr char kTextMakingCard[] = " making 20note CARD  ";
inline constexpr char kTextMidiFileFilter[] = "Midi (*.mid, *.midi, *.smf)";
inline constexpr char kTextMidiFilePatterns[] = "*.mid;*.midi;*.smf;";
inline constexpr char kTextImageFileFilter[] = "画像 (*.jpg, *.jpeg, *.bmp, *.gif)";
inline constexpr char kTextImageFilePatterns[] = "*.jpg;*.jpeg;*.bmp;*.gif";
inline constexpr char kTextDeviceMenu[] = "&Midi";
// The warning about a device without voices: its first text, kTextDeviceNameLead, the device
// name, kTextDeviceNameTrail, its second text.
inline constexpr char kTextDeviceNameLead[] = "\n   ";
inline constexpr char kTextDeviceNameTrail[] = "　〟\n　　　　　　　";
// Canvas settings dialog controls that are always hidden.
inline constexpr char kTextReadButton[] = "<<　読取";
inline constexpr char kTextRedoTeethAssignment[] = "既存のサブライム割当てを無視してやり直す";

} // namespace zembra
