// Every output of the command line goes through one safe write: whatever sits at the target and
// however the write fails, the previous file is as it was, nothing is left beside it, the exit
// status says a file failed and the message names the target.
#include "cli_process.h"
#include "full_disk.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace zembra {
namespace {

const QByteArray kPrevious = "a good file made earlier";

struct OutputKind {
    const char* command;
    const char* suffix;
};

class SafeOutput : public ::testing::TestWithParam<OutputKind> {
protected:
    QString name(const char* stem) const { return QLatin1String(stem) + QLatin1Char('.') + QLatin1String(GetParam().suffix); }

    CliResult write(const QString& target, const QString& folder, const CliSetting& setting = {}) const
    {
        return RunZembra({QLatin1String(GetParam().command), Fixture("abc2midi-tune.mid"), QStringLiteral("-o"), target},
                         folder, QStringLiteral("en"), setting);
    }

    // A refused or failed write: exit 1 and the target named.
    void expectRefused(const CliResult& result, const QString& target, const char* what) const
    {
        SCOPED_TRACE(what);
        ASSERT_TRUE(result.finished) << "the write must not hang";
        EXPECT_EQ(result.exitCode, 1) << result.err.toStdString();
        EXPECT_TRUE(result.err.contains(target)) << result.err.toStdString();
    }

    static unsigned modeOf(const QString& path)
    {
        struct stat info {};
        ::lstat(QFile::encodeName(path).constData(), &info);
        return info.st_mode & 07777;
    }
};

TEST_P(SafeOutput, AFullDiskLeavesThePreviousFileAndNoLitter)
{
    test::FullDisk disk;
    CliSetting setting;
    QTemporaryDir fallback;
    QString folder = disk.out();
    if (disk.mounted()) {
        QFile previous(folder + '/' + name("x"));
        ASSERT_TRUE(previous.open(QIODevice::WriteOnly));
        previous.write(kPrevious);
        previous.close();
        disk.fill();
    } else {
        // No tmpfs here: a limit on the size of written files fails the write the same way.
        folder = fallback.path();
        QFile previous(folder + '/' + name("x"));
        ASSERT_TRUE(previous.open(QIODevice::WriteOnly));
        previous.write(kPrevious);
        previous.close();
        setting.childSetup = [] { test::LimitFileSize(2000); };
    }
    const CliResult result = write(name("x"), folder, setting);
    expectRefused(result, name("x"), "full disk");
    EXPECT_TRUE(result.err.contains(disk.mounted() ? QStringLiteral("The disk is full.") : QStringLiteral("File too large")))
        << result.err.toStdString();
    EXPECT_EQ(Contents(folder + '/' + name("x")), kPrevious);
    EXPECT_EQ(Entries(folder), QStringList{name("x")});
}

TEST_P(SafeOutput, WhatSitsAtTheTargetDecidesAndIsKept)
{
    QTemporaryDir dir;
    const QString folder = dir.path();
    auto make = [&](const QString& file, unsigned mode) {
        QFile previous(folder + '/' + file);
        previous.open(QIODevice::WriteOnly);
        previous.write(kPrevious);
        previous.close();
        ::chmod(QFile::encodeName(previous.fileName()).constData(), mode);
    };

    make(name("locked"), 0444);
    expectRefused(write(name("locked"), folder), name("locked"), "a read-only file");
    EXPECT_EQ(Contents(folder + '/' + name("locked")), kPrevious);

    make(name("private"), 0600);
    EXPECT_EQ(write(name("private"), folder).exitCode, 0);
    EXPECT_NE(Contents(folder + '/' + name("private")), kPrevious);
    EXPECT_EQ(modeOf(folder + '/' + name("private")), 0600u) << "the target's access is kept";

    make(name("real"), 0640);
    QFile::link(name("real"), folder + '/' + name("link"));
    EXPECT_EQ(write(name("link"), folder).exitCode, 0);
    EXPECT_TRUE(QFileInfo(folder + '/' + name("link")).isSymLink()) << "the link is written through";
    EXPECT_NE(Contents(folder + '/' + name("real")), kPrevious);
    EXPECT_EQ(modeOf(folder + '/' + name("real")), 0640u);

    ASSERT_EQ(::mkfifo(QFile::encodeName(folder + QStringLiteral("/pipe")).constData(), 0644), 0);
    const CliResult fifo = write(QStringLiteral("pipe"), folder);
    expectRefused(fifo, QStringLiteral("pipe"), "a FIFO");
    EXPECT_TRUE(fifo.err.contains(QStringLiteral("named pipe"))) << fifo.err.toStdString();

    // The null device's numbers, made in the test's own folder: the system's own is never risked.
    if (::mknod(QFile::encodeName(folder + QStringLiteral("/null")).constData(), S_IFCHR | 0666, makedev(1, 3)) == 0) {
        const CliResult device = write(QStringLiteral("null"), folder);
        expectRefused(device, QStringLiteral("null"), "a device");
        EXPECT_TRUE(device.err.contains(QStringLiteral("device"))) << device.err.toStdString();
        EXPECT_EQ(QFileInfo(folder + QStringLiteral("/null")).size(), 0);
    }

    // A name as long as the folder allows: the temporary file's own name is short.
    const QString longest = QString(255 - 4, QLatin1Char('n')) + QLatin1Char('.') + QLatin1String(GetParam().suffix);
    EXPECT_EQ(write(longest, folder).exitCode, 0);

    const QStringList expected{name("link"), name("locked"), name("private"), name("real"), longest,
                               QStringLiteral("null"), QStringLiteral("pipe")};
    QStringList left = Entries(folder);
    left.removeAll(QStringLiteral("null"));
    QStringList wanted = expected;
    wanted.removeAll(QStringLiteral("null"));
    wanted.sort();
    EXPECT_EQ(left, wanted) << "nothing beside the targets";
}

INSTANTIATE_TEST_SUITE_P(EveryCommand, SafeOutput,
                         ::testing::Values(OutputKind{"song", "mid"}, OutputKind{"card", "pdf"}, OutputKind{"wav", "wav"},
                                           OutputKind{"svg", "svg"}, OutputKind{"dxf", "dxf"}),
                         [](const ::testing::TestParamInfo<OutputKind>& test) { return std::string(test.param.command); });

// The DXF is made beside its target, not in the temporary folder: a full TMPDIR changes nothing.
TEST(SafeOutputDxf, AFullTemporaryFolderDoesNotMatter)
{
    test::FullDisk disk;
    if (!disk.mounted()) {
        GTEST_SKIP() << "no tmpfs can be mounted here";
    }
    disk.fill();
    QTemporaryDir dir;
    CliSetting setting;
    setting.extra.insert(QStringLiteral("TMPDIR"), disk.out());
    setting.extra.insert(QStringLiteral("XDG_RUNTIME_DIR"), dir.path());
    const CliResult result = RunZembra({QStringLiteral("dxf"), Fixture("abc2midi-tune.mid"), QStringLiteral("-o"),
                                        QStringLiteral("d.dxf")},
                                       dir.path(), QStringLiteral("en"), setting);
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_TRUE(Contents(dir.path() + QStringLiteral("/d.dxf")).endsWith("EOF\n"));
    EXPECT_TRUE(Entries(disk.out()).isEmpty());
}

// Names that are not UTF-8 are the file system's bytes, read and written as they are.
TEST(SafeOutputNames, NamesThatAreNotUtf8KeepTheirBytes)
{
    QTemporaryDir dir;
    const QByteArray folder = QFile::encodeName(dir.path());
    ASSERT_TRUE(QFile::copy(Fixture("abc2midi-tune.mid"), dir.path() + QStringLiteral("/tune.mid")));
    ASSERT_EQ(::rename((folder + "/tune.mid").constData(), (folder + "/in\xe9.mid").constData()), 0);
    // The names go to the program through the shell, as bytes that no QString could carry.
    QProcess shell;
    shell.setWorkingDirectory(dir.path());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    environment.insert(QStringLiteral("ZEMBRA_LANG"), QStringLiteral("en"));
    shell.setProcessEnvironment(environment);
    shell.start(QStringLiteral("/bin/sh"),
                {QStringLiteral("-c"), QStringLiteral("\"$0\" info \"$(printf 'in\\351.mid')\" && "
                                                      "\"$0\" song \"$(printf 'in\\351.mid')\" -o \"$(printf 'out\\351.mid')\""),
                 QStringLiteral(ZEMBRA_BINARY)});
    ASSERT_TRUE(shell.waitForFinished(120000));
    EXPECT_EQ(shell.exitCode(), 0) << shell.readAllStandardError().toStdString();
    EXPECT_EQ(::access((folder + "/out\xe9.mid").constData(), F_OK), 0) << "written under the very bytes asked for";
    EXPECT_NE(::access((folder + "/out\xef\xbf\xbd.mid").constData(), F_OK), 0) << "not under a replaced name";
    // Qt cannot name these files to remove them with the folder.
    ::unlink((folder + "/in\xe9.mid").constData());
    ::unlink((folder + "/out\xe9.mid").constData());
}

} // namespace
} // namespace zembra
