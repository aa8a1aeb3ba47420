#include "midi/notice_pump.h"
#include "midi/output_device_menu.h"
#include "midi/rtmidi_device.h"
#include "midi/synth_engine.h"

#include "midi_csv.h"
#include "toolkit_fixture.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <QMenuBar>

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace zembra {
namespace {

class Devices : public test::ManualToolkitTest {};

TEST_F(Devices, VirtualOnlyListsTheMonitorAndLetsTheMapperPlayIntoIt)
{
    EXPECT_EQ(toolkit.GetNumOutDevices(), 1u);
    char name[MidiToolkit::kNameLength];
    EXPECT_EQ(toolkit.GetMidiOutDescription(0, name), 1);
    EXPECT_STREQ(name, "Zembra MIDI monitor");
    EXPECT_EQ(toolkit.GetMidiOutDescription(kMapperDevice, name), 1);
    EXPECT_EQ(toolkit.GetMidiOutDescription(1, name), 0);
    EXPECT_STREQ(name, "");
    MidiOutCaps caps;
    ASSERT_TRUE(toolkit.GetMidiOutCaps(0, caps));
    EXPECT_GT(caps.simultaneousNotes, 0) << "a synthesizer, not a bare port";
    EXPECT_FALSE(toolkit.GetMidiOutCaps(5, caps));

    test::NoticeLog log;
    EXPECT_EQ(toolkit.OpenMidiOut(&log, 1, 0, 0), 0u);
    const std::uint32_t a = toolkit.OpenMidiOut(&log, 0, 0, 0);
    const std::uint32_t b = toolkit.OpenMidiOut(&log, kMapperDevice, 0, 0);
    EXPECT_GT(a, kLastFailedHandle);
    EXPECT_GT(b, a);
    const MidiEvent e{0, kNoteOn, 60, 1, 0};
    toolkit.PutMidiOut(b, &e);
    EXPECT_EQ(sent().size(), 1u) << "a port without a clock sends as it is given";
}

TEST(Environment, VirtualModeAndMonitorLogComeFromTheEnvironment)
{
    const char* before = std::getenv("ZEMBRA_MIDI");
    const std::string saved = before ? before : "";
    setenv("ZEMBRA_MIDI", "virtual", 1);
    setenv("ZEMBRA_MIDI_LOG", "/tmp/zembra-monitor-name.log", 1);
    const ToolkitOptions virtualOnly = ToolkitOptions::fromEnvironment();
    EXPECT_TRUE(virtualOnly.virtualOnly);
    EXPECT_TRUE(virtualOnly.monitor);
    EXPECT_EQ(virtualOnly.monitorLogPath, "/tmp/zembra-monitor-name.log");
    setenv("ZEMBRA_MIDI", "all", 1);
    EXPECT_FALSE(ToolkitOptions::fromEnvironment().virtualOnly);
    EXPECT_TRUE(ToolkitOptions::fromEnvironment().monitor) << "a log asks for the monitor";
    unsetenv("ZEMBRA_MIDI_LOG");
    EXPECT_FALSE(ToolkitOptions::fromEnvironment().monitor) << "an ordinary user's run";
    if (before)
        setenv("ZEMBRA_MIDI", saved.c_str(), 1);
    else
        unsetenv("ZEMBRA_MIDI");
}

TEST_F(Devices, MonitorLogHasOneLinePerEvent)
{
    const std::string path = ::testing::TempDir() + "zembra-monitor.log";
    std::remove(path.c_str());
    {
        VirtualDevice monitor(path);
        const std::uint8_t on[] = {0x90, 0x3C, 0x64};
        const std::uint8_t program[] = {0xC0, 0x0A};
        monitor.send(on, 3, 96, 500000);
        monitor.send(program, 2, 0, 1);
    }
    EXPECT_EQ(test::readText(path), "500000 96 90 3C 64\n1 0 C0 0A\n");
}

TEST_F(Devices, TheMonitorKeepsOnlyTheLatestEventsButLogsThemAll)
{
    const std::string path = ::testing::TempDir() + "zembra-monitor-ring.log";
    std::remove(path.c_str());
    {
        VirtualDevice monitor(path, 4);
        for (std::uint8_t key = 60; key < 70; ++key) {
            const std::uint8_t on[] = {0x90, key, 0x40};
            monitor.send(on, 3, key, key);
        }
        const auto kept = monitor.sent();
        ASSERT_EQ(kept.size(), 4u);
        for (std::size_t i = 0; i < kept.size(); ++i)
            EXPECT_EQ(kept[i].bytes[1], 66 + i) << "the latest, oldest first";
        EXPECT_EQ(monitor.dropped(), 6u);
        monitor.clear();
        EXPECT_TRUE(monitor.sent().empty());
        EXPECT_EQ(monitor.dropped(), 0u);
    }
    const std::string log = test::readText(path);
    EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 10) << "the log file keeps every event";
}

TEST_F(Devices, TheMonitorsMemoryIsBoundedByDefault)
{
    VirtualDevice& monitor = toolkit.virtualDevice();
    const std::uint8_t program[] = {0xC0, 0x0A};
    for (std::size_t i = 0; i < VirtualDevice::kDefaultKeep + 100; ++i)
        monitor.send(program, 2, 0, std::int64_t(i));
    const auto kept = monitor.sent();
    ASSERT_EQ(kept.size(), VirtualDevice::kDefaultKeep);
    EXPECT_EQ(kept.back().micros, std::int64_t(VirtualDevice::kDefaultKeep + 99));
    EXPECT_EQ(monitor.dropped(), 100u);
}

// A user's run: the external outputs only, and the monitor only once it is turned on.
TEST(MonitorListing, OnlyWhereItIsEnabled)
{
    ToolkitOptions options;
    options.time = std::make_shared<ManualTimeSource>();
    options.soundFontPath = "/nonexistent/none.sf2";
    MidiToolkit toolkit(options);
    const std::uint16_t monitorIndex = toolkit.virtualDeviceIndex();
    EXPECT_FALSE(toolkit.monitorListed());
    EXPECT_EQ(toolkit.GetNumOutDevices(), monitorIndex) << "the external outputs, nothing more";
    char name[MidiToolkit::kNameLength];
    EXPECT_EQ(toolkit.GetMidiOutDescription(monitorIndex, name), 0);
    test::NoticeLog log;
    EXPECT_EQ(toolkit.OpenMidiOut(&log, monitorIndex, 0, 0), 0u) << "not listed, not opened";
    auto menuNames = [&toolkit] {
        QMenuBar bar;
        OutputDeviceMenu menu(toolkit);
        menu.Build(&bar, nullptr, QStringLiteral("&Midi"), 201);
        QStringList names;
        for (QAction* item : menu.menu()->actions())
            names << item->text();
        return names;
    };
    EXPECT_FALSE(menuNames().contains(QStringLiteral("Zembra MIDI monitor")));

    toolkit.setMonitorListed(true);
    EXPECT_TRUE(menuNames().contains(QStringLiteral("Zembra MIDI monitor")));
    EXPECT_EQ(toolkit.GetNumOutDevices(), monitorIndex + 1u);
    EXPECT_EQ(toolkit.GetMidiOutDescription(monitorIndex, name), 1);
    EXPECT_STREQ(name, "Zembra MIDI monitor");
    EXPECT_GT(toolkit.OpenMidiOut(&log, monitorIndex, 0, 0), kLastFailedHandle);
}

// Both ways of asking for the monitor at once (only the virtual device, and a log of it): the
// "&Midi" menu names it once, and names no device twice in any mix of the two.
TEST(MonitorListing, TheMonitorIsListedOnceHoweverItIsAskedFor)
{
    const char* savedMode = std::getenv("ZEMBRA_MIDI");
    const std::string mode = savedMode ? savedMode : "";
    const std::string log = ::testing::TempDir() + "zembra-monitor-once.log";
    struct Case {
        const char* mode;
        bool logged;
    };
    for (const Case& c : {Case{"virtual", true}, Case{"virtual", false}, Case{"all", true}}) {
        SCOPED_TRACE(std::string(c.mode) + (c.logged ? " with a log" : ""));
        setenv("ZEMBRA_MIDI", c.mode, 1);
        if (c.logged) {
            setenv("ZEMBRA_MIDI_LOG", log.c_str(), 1);
        } else {
            unsetenv("ZEMBRA_MIDI_LOG");
        }
        ToolkitOptions options = ToolkitOptions::fromEnvironment();
        options.time = std::make_shared<ManualTimeSource>();
        options.soundFontPath = "/nonexistent/none.sf2";
        MidiToolkit toolkit(options);
        QMenuBar bar;
        OutputDeviceMenu menu(toolkit);
        menu.Build(&bar, nullptr, QStringLiteral("&Midi"), 201);
        QStringList names;
        for (QAction* item : menu.menu()->actions()) {
            names << item->text();
        }
        EXPECT_EQ(names.count(QStringLiteral("Zembra MIDI monitor")), 1) << names.join(" | ").toStdString();
        EXPECT_EQ(names.removeDuplicates(), 0) << "no device is named twice";
    }
    unsetenv("ZEMBRA_MIDI_LOG");
    setenv("ZEMBRA_MIDI", mode.c_str(), 1);
    std::remove(log.c_str());
}

TEST(RtMidiDevice, OnlySoftwareSynthesizersClaimVoices)
{
    const std::pair<const char*, bool> names[] = {
        {"FLUID Synth (4711):Synth input port (4711:0) 128:0", true},
        {"TiMidity:TiMidity port 0 129:0", true},
        {"Microsoft GS Wavetable Synth", true},
        {"Midi Through:Midi Through Port-0 14:0", false},
        {"UM-ONE:UM-ONE MIDI 1 20:0", false},
    };
    for (const auto& [name, synth] : names)
        EXPECT_EQ(RtMidiDevice::simultaneousNotesFor(name) > 0, synth) << name;
}

TEST(SynthEngine, RendersTheMusicBoxOffline)
{
    const std::string font = findSoundFont({});
    if (font.empty())
        GTEST_SKIP() << "no General MIDI sound font installed";
    std::string error;
    SynthEngine::Config config;
    config.soundFont = font;
    auto synth = SynthEngine::create(config, error);
    ASSERT_TRUE(synth) << error;
    const std::uint8_t program[] = {kProgramChange, 10};
    const std::uint8_t on[] = {kNoteOn, 72, 120};
    synth->send(program, 2);
    synth->send(on, 3);
    std::vector<std::int16_t> frames(2 * 4410);
    ASSERT_TRUE(synth->renderS16(frames.data(), 4410));
    int loudest = 0;
    for (std::int16_t s : frames)
        loudest = std::max(loudest, std::abs(int(s)));
    EXPECT_GT(loudest, 1000);
}

TEST(SynthEngine, AMissingSoundFontIsAnErrorNotACrash)
{
    std::string error;
    SynthEngine::Config config;
    config.soundFont = "/nonexistent/font.sf2";
    EXPECT_FALSE(SynthEngine::create(config, error));
    EXPECT_NE(error.find("no sound font"), std::string::npos);
    EXPECT_EQ(findSoundFont("/nonexistent/font.sf2").find("/nonexistent"), std::string::npos);
}

TEST_F(Devices, NoticePumpDeliversOnTheGuiThreadThroughTheEventLoop)
{
    ASSERT_NE(QCoreApplication::instance(), nullptr) << "the test main makes the application";
    test::NoticeLog log;
    const std::uint32_t clock = toolkit.OpenSync(0, &log, 0, 10);
    NoticePump pump(toolkit);
    toolkit.StartSync(clock);
    advanceUs(1'000'000);
    EXPECT_TRUE(log.received.empty()) << "nothing is delivered outside the event loop";
    QCoreApplication::processEvents();
    EXPECT_EQ(log.count(kNoticeClockBeat), 2u);
}

}  // namespace
}  // namespace zembra
