#include "text/strings.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <string_view>

#include "text/control_characters.h"
#include "text/string_ids.h"

namespace zembra {
namespace {

struct TextCase {
    int id;
    std::string_view japanese;
    std::string_view english;
};

// Texts whose exact bytes matter: line breaks, doubled and trailing spaces, full-width and
// half-width katakana, inner quotes, printf formats and the original spellings.
TEST(Strings, SampleTextsInBothLanguages)
{
    const TextCase cases[] = {
        {40111, "これ以上音符を作れません。", "Warning! Limit of note number on work"},
        {40018, "キャンバス（画面）上で\nマウスの“右ボタン”を\n押すと音符が作れます。",
         "Hit right button of mouse.  You can make note."},
        {57344, "Zembra108", "Zembra108b"},
        {40002, "ＭＳ　ゴシック", "Arial"},
        {40088,
         "ファイル保存ができませんでした。\n ファイルが読み取り専用になっているかもしれません。\n"
         "★どうしても保存する場合は\nファイルメニューから“名前を付けて保存”をすればいいでしょう。\n",
         "Waruning! Cannot save.  This file attributes read only?  "},
        {40174, "音符を移動するといくつかがキャンバス外に出て\n消えてしまいますが　いいですか？",
         "On this operation,  clear some note. \nDo you wish?"},
        {40045, "E♭", "Eb"},
        {40055, "B♭m", "Bbm"},
        {40127, "ｷｬﾝｾﾙ", "Cancel"},
        {40155, "4/4 か 3/4　\n       6/8は3/4と読み替えてください。", "4/4 or 3/4 (take 6/8 as 3/4)"},
        {40099, "Ctrl + Shiftキーを押しながらドラッグ　→　その範囲がPlayされます。",
         "Drag with \"Ctrl\" and \"Shift\" Key --> Play a part"},
        {40173, "取り込める音符 = %d %s\n取り込めない音符 = %d", "importable note :  %d %s\nnon : %d"},
        {40108, "Zembra", "imported"},
        {40079, "<TL>", "<TL>"},
        {59143, "音符", "NOTE"},
        {57609, "印刷ｲﾒｰｼﾞを表示\n印刷ﾌﾟﾚﾋﾞｭｰ", "Preview\nPreview"},
    };
    for (const TextCase& c : cases) {
        SCOPED_TRACE(c.id);
        EXPECT_TRUE(hasText(c.id));
        EXPECT_EQ(text(c.id, Language::Japanese), c.japanese);
        EXPECT_EQ(text(c.id, Language::English), c.english);
    }
}

TEST(Strings, NamedIdsReachTheirTexts)
{
    EXPECT_EQ(text(str::kDefaultTitle, Language::Japanese), "私の作品");
    EXPECT_EQ(text(str::kNoAuthor, Language::English), "<non>");
    EXPECT_EQ(text(str::kKeyNameFirst + 11, Language::English), "B");
    EXPECT_EQ(text(str::kMinorNameFirst + 11, Language::English), "G#m");
    EXPECT_EQ(text(str::kTagAuthorClose, Language::English), "</AU>");
}

TEST(Strings, UnknownIdsGiveEmptyText)
{
    // 40023 is a known id whose text is not held; 32788 is a command without a prompt.
    for (int id : {0, -1, 40000, str::kTemporaryTranspositionHelp, 32788, 99999}) {
        SCOPED_TRACE(id);
        EXPECT_FALSE(hasText(id));
        EXPECT_TRUE(text(id, Language::Japanese).empty());
        EXPECT_TRUE(text(id, Language::English).empty());
    }
}

bool isValidUtf8(std::string_view s)
{
    for (std::size_t i = 0; i < s.size();) {
        const auto b = static_cast<unsigned char>(s[i]);
        const std::size_t len = b < 0x80 ? 1
            : (b >> 5) == 0x6            ? 2
            : (b >> 4) == 0xE            ? 3
            : (b >> 3) == 0x1E           ? 4
                                         : 0;
        if (len == 0 || i + len > s.size()) {
            return false;
        }
        for (std::size_t k = 1; k < len; ++k) {
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) {
                return false;
            }
        }
        i += len;
    }
    return true;
}

TEST(Strings, TableIsOrderedAndWellFormed)
{
    const auto table = textTable();
    ASSERT_FALSE(table.empty());
    for (std::size_t i = 0; i < table.size(); ++i) {
        const TextEntry& e = table[i];
        SCOPED_TRACE(e.id);
        if (i > 0) {
            EXPECT_LT(table[i - 1].id, e.id);
        }
        EXPECT_FALSE(e.japanese.empty());
        EXPECT_FALSE(e.english.empty());
        EXPECT_TRUE(isValidUtf8(e.japanese));
        EXPECT_TRUE(isValidUtf8(e.english));
        // A line break written as "\\n" would show a backslash to the user.
        EXPECT_EQ(e.japanese.find('\\'), std::string_view::npos);
        EXPECT_EQ(e.english.find('\\'), std::string_view::npos);
        EXPECT_EQ(text(e.id, Language::Japanese).data(), e.japanese.data());
    }
}

TEST(Strings, LanguageFromLocaleAndOverride)
{
    struct Case {
        const char* locale;
        const char* env;
        Language expected;
    };
    const Case cases[] = {
        {"ja_JP.UTF-8", nullptr, Language::Japanese},
        {"ja", nullptr, Language::Japanese},
        {"ja-JP", nullptr, Language::Japanese},
        {"Japanese_Japan.932", nullptr, Language::Japanese},
        {"jv_ID", nullptr, Language::English},
        {"en_US.UTF-8", nullptr, Language::English},
        {"C", nullptr, Language::English},
        {"", nullptr, Language::English},
        {"en_US.UTF-8", "ja", Language::Japanese},
        {"ja_JP.UTF-8", "en", Language::English},
        {"ja_JP.UTF-8", "EN", Language::English},
        {"ja_JP.UTF-8", "", Language::Japanese},
        {"ja_JP.UTF-8", "fr", Language::Japanese},
        {"de_DE", "xx", Language::English},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.locale) + " / " + (c.env ? c.env : "(unset)"));
        EXPECT_EQ(languageFromLocaleName(c.locale, c.env), c.expected);
    }
}

TEST(Strings, CurrentLanguageChoosesTheTable)
{
    const Language before = language();
    setLanguage(Language::Japanese);
    EXPECT_EQ(text(str::kMoveCaption), "移動");
    setLanguage(Language::English);
    EXPECT_EQ(text(str::kMoveCaption), "Move");
    setLanguage(before);
}

} // namespace
} // namespace zembra

namespace zembra {
namespace {

TEST(ControlCharacters, EachIsReplacedAndEverythingElseKept)
{
    const std::string r(kControlReplacement);
    struct Case {
        const char* name;
        std::string in;
        std::string out;
    };
    const Case cases[] = {
        {"plain text", "Song 1 (imported)", "Song 1 (imported)"},
        {"Japanese stays", "私の作品", "私の作品"},
        {"escape sequence", "\x1b[2Jtitle", r + "[2Jtitle"},
        {"window title sequence", "a\x1b]0;x\x07z", "a" + r + "]0;x" + r + "z"},
        {"tab and line breaks", "a\tb\nc\rd", "a" + r + "b" + r + "c" + r + "d"},
        {"nul", std::string("a\0b", 3), "a" + r + "b"},
        {"delete", "a\x7f", "a" + r},
        {"C1 CSI in UTF-8", "a\xc2\x9b" "31m", "a" + r + "31m"},
        {"first and last C1", "\xc2\x80\xc2\x9f", r + r},
        {"no-break space is shown", "a\xc2\xa0z", "a\xc2\xa0z"},
        {"lone C1 byte", "a\x9b" "31m", "a" + r + "31m"},
        {"overlong escape", "\xc0\x9b", r + r},
        {"cut-off sequence", "ab\xe3\x81", "ab" + r + r},
        {"surrogate", "\xed\xa0\x80", r + r + r},
        {"replacement itself stays", r, r},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ReplaceControlCharacters(c.in), c.out);
    }
    for (char32_t c : {U'\0', U'\x1b', U'\x1f', U'\x7f', U'\x80', U'\x9f'}) {
        EXPECT_TRUE(IsControlCharacter(c)) << static_cast<int>(c);
    }
    for (char32_t c : {U' ', U'~', U'\xa0', U'\u3042', U'\ufffd'}) {
        EXPECT_FALSE(IsControlCharacter(c)) << static_cast<int>(c);
    }
}

} // namespace
} // namespace zembra
