// The main of every test program: a Qt application on the offscreen platform, English texts,
// settings in a temporary folder.
#include "services/app_identity.h"
#include "services/prompts.h"
#include "text/strings.h"

#include "scripted_prompts.h"

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM")) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    if (!std::getenv("ZEMBRA_LANG")) {
        setenv("ZEMBRA_LANG", "en", 1);
    }
    // Tests never probe the machine's real MIDI devices or audio.
    setenv("ZEMBRA_MIDI", "virtual", 1);
    unsetenv("ZEMBRA_MIDI_LOG");
    // Settings, data (the journal of temporary files, recovery copies) and caches all live in a
    // temporary folder, for the tests and for the programs they start.
    QTemporaryDir settingsHome;
    setenv("XDG_CONFIG_HOME", settingsHome.path().toLocal8Bit().constData(), 1);
    setenv("XDG_DATA_HOME", (settingsHome.path() + "/data").toLocal8Bit().constData(), 1);
    setenv("XDG_CACHE_HOME", (settingsHome.path() + "/cache").toLocal8Bit().constData(), 1);
    setenv("XDG_STATE_HOME", (settingsHome.path() + "/state").toLocal8Bit().constData(), 1);
    QApplication application(argc, argv);
    zembra::SetUpApplicationIdentity();
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsHome.path());
    // No test may ever wait for a person: whatever a test does not script is answered by default.
    zembra::installPrompts(std::make_unique<zembra::ScriptedPrompts>());
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
