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
inline constexpr char kTextClipboardGetError[] = "Clipboard Data Get Error ";
// %s is the path of the help file.
inline constexpr char kTextHelpFileMissing[] = "Not Exist Html Help File\n\n   File Path [ %s ]";
// Printer paper report: the heading, then str::kPaperSizeFormat.
inline constexpr char kTextPaperSizeHeading[] = "Size of Paper \n";
// Follows the author on the canvas, in brackets.
inline constexpr char kTextMakingCard[] = " making 20note CARD  ";
inline constexpr char kTextMidiFileFilter[] = "Midi (*.mid, *.midi, *.smf)";
inline constexpr char kTextMidiFilePatterns[] = "*.mid;*.midi;*.smf;";
inline constexpr char kTextImageFilePatterns[] = "*.jpg;*.jpeg;*.bmp;*.gif";
inline constexpr char kTextDeviceMenu[] = "&Midi";
// The warning about a device without voices: its first text, kTextDeviceNameLead, the device
// name, str::kDeviceNameTrail, its second text.
inline constexpr char kTextDeviceNameLead[] = "\n   ";

} // namespace zembra
