#include "text/file_text.h"
#include "model/song_tags.h"

#include <gtest/gtest.h>

namespace zembra {
namespace {

TEST(SongTags, ReadersTakeFirstMarkersAndNeedOneValueByte)
{
    struct Case {
        const char* text;
        const char* title;
        const char* author;
        int scale;
        int barLength;
        int bars;
    };
    const Case cases[] = {
        {"<TL></TL><AU>x</AU><HP>24</HP><LP>50</LP><P>8</P>", "", "x", 24, 50, 8},
        {"<LP>50</LP><HP>24</HP><P>24</P><TL>Song</TL><AU>Me</AU>", "Song", "Me", 24, 50, 24},
        {"<HP>12.9</HP>", "", "", 12, 0, 0},
        {"<HP>-12.9</HP>", "", "", -12, 0, 0},
        {"<HP> +7x</HP>", "", "", 7, 0, 0},
        {"<HP>abc</HP>", "", "", 0, 0, 0},
        {"<HP>99999999999</HP>", "", "", 0, 0, 0},
        {"<HP>0x10</HP>", "", "", 0, 0, 0},
        {"<HP>nan</HP><LP>inf</LP>", "", "", 0, 0, 0},
        // The closing marker before the opening one: no value.
        {"</TL>a<TL>b</TL>", "", "", 0, 0, 0},
        // First occurrences: a title holding a marker ends at the first closing one.
        {"<TL>a</TL>b</TL><TL>c</TL>", "a", "", 0, 0, 0},
        {"", "", "", 0, 0, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TagTitle(c.text), c.title) << c.text;
        EXPECT_EQ(TagAuthor(c.text), c.author) << c.text;
        EXPECT_EQ(TagScale(c.text), c.scale) << c.text;
        EXPECT_EQ(TagBarLength(c.text), c.barLength) << c.text;
        EXPECT_EQ(TagBars(c.text), c.bars) << c.text;
    }
}

TEST(SongTags, HasTagsLooksForExactlyFiveMarkers)
{
    const std::string full = "<LP>50</LP><HP>24</HP><P>24</P><TL>Song</TL><AU>Me</AU>";
    EXPECT_TRUE(HasTags(full));
    EXPECT_TRUE(HasTags("</HP></TL><LP></AU></P>")) << "openings other than <LP> are not needed";
    for (const char* missing : {"</HP>", "</TL>", "<LP>", "</AU>", "</P>"}) {
        std::string text = full;
        text.erase(text.find(missing), std::string(missing).size());
        EXPECT_FALSE(HasTags(text)) << "without " << missing;
    }
}

TEST(SongTags, BuildThenReadGivesTheValuesBack)
{
    const SongTagValues values{50, 24, 24, "Song", "Me"};
    const std::string tags = BuildTagString(values);
    EXPECT_EQ(tags, "<LP>50</LP><HP>24</HP><P>24</P><TL>Song</TL><AU>Me</AU>");
    EXPECT_EQ(tags.size(), 55u);
    const SongTagValues back = ReadTags(tags);
    EXPECT_EQ(back.barLengthMm, 50);
    EXPECT_EQ(back.pixelsPerQuarter, 24);
    EXPECT_EQ(back.barCount, 24);
    EXPECT_EQ(back.title, "Song");
    EXPECT_EQ(back.author, "Me");
}

TEST(SongTags, TheBoxTagNamesEveryBoxButTheDefaultOne)
{
    EXPECT_EQ(BoxTag("33"), "");
    EXPECT_EQ(BoxTag(""), "");
    EXPECT_EQ(BoxTag("30F"), "<BX>30F</BX>");
    EXPECT_EQ(BoxTag("own"), "<BX>own</BX>");
    const struct {
        const char* text;
        const char* box;
    } cases[] = {
        {"<LP>50</LP><HP>24</HP><P>24</P><TL>Song</TL><AU>Me</AU>", ""},
        {"<LP>50</LP><HP>24</HP><P>24</P><TL>Song</TL><AU>Me</AU><BX>15</BX>", "15"},
        // A title that looks like a box tag does not hide the real one written after it.
        {"<LP>50</LP><HP>24</HP><P>24</P><TL><BX>20</BX></TL><AU>Me</AU><BX>30</BX>", "30"},
        {"<TL>Song</TL><BX>15", ""},  // cut before its end
        {"<BX></BX>", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TagBox(c.text), c.box) << c.text;
    }
}

TEST(SongTags, TheTuningTagNamesEveryTuningButEqualTemperament)
{
    EXPECT_EQ(TuningTag(Tuning::Equal), "");
    EXPECT_EQ(TuningTag(Tuning::Meantone), "<TN>meantone</TN>");
    EXPECT_EQ(TuningTag(Tuning::Just), "<TN>just</TN>");
    EXPECT_EQ(TuningTag(Tuning::Box), "<TN>box</TN>");
    const struct {
        const char* text;
        Tuning tuning;
    } cases[] = {
        {"<LP>50</LP><HP>24</HP><P>24</P><TL>Song</TL><AU>Me</AU>", Tuning::Equal},
        {"<LP>50</LP><HP>24</HP><P>24</P><TL>Song</TL><AU>Me</AU><TN>just</TN>", Tuning::Just},
        {"<TL>Song</TL><AU>Me</AU><BX>15</BX><TN>meantone</TN>", Tuning::Meantone},
        // A title that looks like a tuning tag does not hide the real one written after it.
        {"<TL><TN>just</TN></TL><AU>Me</AU><TN>box</TN>", Tuning::Box},
        {"<TL>Song</TL><TN>pythagorean</TN>", Tuning::Equal}, // a tuning this program does not know
        {"<TL>Song</TL><TN>just", Tuning::Equal},             // cut before its end
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TagTuning(c.text), c.tuning) << c.text;
    }
}

TEST(FileText, Cp932WhenEveryCharacterHasAFormElseUtf8)
{
    const std::string japanese = "\xE7\xA7\x81\xE3\x81\xAE\xE4\xBD\x9C\xE5\x93\x81"; // 私の作品
    EXPECT_EQ(EncodeFileText(japanese), "\x8E\x84\x82\xCC\x8D\xEC\x95\x69");
    EXPECT_EQ(EncodeFileText("Song"), "Song");
    const std::string withEmoji = "A\xF0\x9F\x8E\xB5"; // A🎵: no CP932 form
    EXPECT_EQ(EncodeFileText(withEmoji), withEmoji);
    const std::string mixed = japanese + "\xF0\x9F\x8E\xB5";
    EXPECT_EQ(EncodeFileText(mixed), mixed) << "one character without a form keeps the whole text in UTF-8";
}

TEST(FileText, DecodingKeepsUtf8AndReadsEverythingElseAsCp932)
{
    const std::string japanese = "\xE7\xA7\x81\xE3\x81\xAE\xE4\xBD\x9C\xE5\x93\x81";
    EXPECT_EQ(DecodeFileText("\x8E\x84\x82\xCC\x8D\xEC\x95\x69"), japanese);
    EXPECT_EQ(DecodeFileText(japanese), japanese);
    EXPECT_EQ(DecodeFileText("plain"), "plain");
    // A cut inside a double-byte character leaves half a character: it becomes U+FFFD.
    EXPECT_EQ(DecodeFileText("\x8E\x84\x82"), "\xE7\xA7\x81\xEF\xBF\xBD");
    EXPECT_FALSE(IsValidUtf8("\xC0\x80")) << "overlong";
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80")) << "surrogate";
    EXPECT_TRUE(IsValidUtf8("\xF4\x8F\xBF\xBF"));
}

} // namespace
} // namespace zembra
