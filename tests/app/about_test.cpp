// The about box: its texts fit in either language, and the splash closes itself on its timer.
#include "app/about_dialog.h"
#include "text/strings.h"

#include <QImage>
#include <QTimer>

#include <gtest/gtest.h>

namespace zembra {
namespace {

struct LanguageScope {
    explicit LanguageScope(Language language)
        : previous(zembra::language())
    {
        setLanguage(language);
    }
    ~LanguageScope() { setLanguage(previous); }
    Language previous;
};

class AboutBoxTexts : public testing::TestWithParam<Language> {};

TEST_P(AboutBoxTexts, FitInsideTheBox)
{
    LanguageScope scope(GetParam());
    AboutDialog dialog(false);
    QImage image(dialog.size(), QImage::Format_RGB32);
    dialog.render(&image);
    // The product line's band: ink inside, and none in the last columns before the right edge.
    int inked = 0;
    int inkedAtEdge = 0;
    for (int y = 120; y < 150; ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (qGreen(pixel) < 200) {
                ++inked;
                inkedAtEdge += x >= image.width() - 12 ? 1 : 0;
            }
        }
    }
    EXPECT_GT(inked, 0) << "the product line is drawn";
    EXPECT_EQ(inkedAtEdge, 0) << "the product line runs into the right edge";
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, AboutBoxTexts, testing::Values(Language::Japanese, Language::English));

TEST(AboutBox, TheSplashClosesItselfAfterFiveSeconds)
{
    AboutDialog splash(true);
    ASSERT_NE(splash.splashTimer(), nullptr);
    EXPECT_TRUE(splash.splashTimer()->isActive());
    EXPECT_EQ(splash.splashTimer()->interval(), 5000);
    // The timer's time is up, without waiting for it.
    splash.OnSplashTimer();
    EXPECT_EQ(splash.result(), QDialog::Accepted);
    EXPECT_FALSE(splash.splashTimer()->isActive());
}

TEST(AboutBox, TheAboutCommandsBoxStaysUntilOk)
{
    AboutDialog about(false);
    EXPECT_FALSE(about.splashTimer()->isActive());
}

} // namespace
} // namespace zembra
