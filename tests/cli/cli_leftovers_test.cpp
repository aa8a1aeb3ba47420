// A program killed in the middle of a write leaves its half-written file beside the target; the
// next run of the program removes it, and nothing of the user's.
#include "cli_process.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

namespace zembra {
namespace {

TEST(Leftovers, TheNextRunRemovesWhatAKilledWriteLeftAndNothingElse)
{
    QTemporaryDir dir;
    const QString folder = dir.path();
    const QStringList own{QStringLiteral(".zembra-saving-abcdefgh"), QStringLiteral("song.wav.part"),
                          QStringLiteral("song.wav")};
    for (const QString& name : own) {
        QFile file(folder + '/' + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("mine");
    }

    // The kernel ends the program at the write that passes the limit, as kill -9 would: no
    // handler runs and nothing is cleaned up.
    CliSetting killed;
    killed.childSetup = [] {
        const rlimit noCore{0, 0};
        ::setrlimit(RLIMIT_CORE, &noCore);
        rlimit size{};
        ::getrlimit(RLIMIT_FSIZE, &size);
        size.rlim_cur = 20000;
        ::setrlimit(RLIMIT_FSIZE, &size);
        std::signal(SIGXFSZ, SIG_DFL);
    };
    const CliResult dead = RunZembra({QStringLiteral("wav"), Fixture("abc2midi-tune.mid"), QStringLiteral("-o"),
                                      QStringLiteral("song.wav")},
                                     folder, QStringLiteral("en"), killed);
    ASSERT_FALSE(dead.finished) << "the program was to be killed half-way";
    QStringList left = Entries(folder);
    ASSERT_EQ(left.size(), own.size() + 1) << left.join(' ').toStdString();
    for (const QString& name : own) {
        left.removeAll(name);
        EXPECT_EQ(Contents(folder + '/' + name), "mine");
    }
    EXPECT_TRUE(left.front().startsWith(QStringLiteral(".zembra-saving-"))) << left.front().toStdString();

    const CliResult next = RunZembra({QStringLiteral("info"), Fixture("abc2midi-tune.mid")}, folder);
    EXPECT_EQ(next.exitCode, 0) << next.err.toStdString();
    QStringList expected = own;
    expected.sort();
    EXPECT_EQ(Entries(folder), expected);
}

} // namespace
} // namespace zembra
