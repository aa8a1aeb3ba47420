// Two programs edit at once and are killed; the next start offers the songs they left, and the
// one restored holds every note of its last recovery point and nothing after it.
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>

namespace zembra {
namespace {

// A run of the recovery child with its home, data and settings in `home`, reading what it tells.
class Child {
public:
    Child(const QString& home, const QStringList& arguments)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("HOME"), home);
        environment.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/data"));
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/config"));
        environment.insert(QStringLiteral("XDG_CACHE_HOME"), home + QStringLiteral("/cache"));
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), home + QStringLiteral("/runtime"));
        environment.insert(QStringLiteral("ZEMBRA_LANG"), QStringLiteral("en"));
        environment.remove(QStringLiteral("ZEMBRA_MIDI_LOG"));
        m_process.setProcessEnvironment(environment);
        m_process.start(QStringLiteral(RECOVERY_CHILD), arguments);
    }
    ~Child()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished();
        }
    }

    // Reads until a line that starts with `prefix`; false when the child ended or took minutes.
    bool waitFor(const QString& prefix)
    {
        const QDeadlineTimer deadline(std::chrono::minutes(3));
        for (;;) {
            while (m_process.canReadLine()) {
                const QString line = QString::fromUtf8(m_process.readLine()).trimmed();
                m_lines << line;
                if (line.startsWith(prefix)) {
                    return true;
                }
            }
            if (deadline.hasExpired() || !m_process.waitForReadyRead(static_cast<int>(deadline.remainingTime()))) {
                return false;
            }
        }
    }

    void killHard()
    {
        m_process.kill(); // SIGKILL: nothing of the program's own runs any more
        m_process.waitForFinished();
    }

    bool endedWell()
    {
        return m_process.waitForFinished() && m_process.exitStatus() == QProcess::NormalExit &&
               m_process.exitCode() == 0;
    }

    // What follows `prefix` and a blank on the first line that has it.
    QString value(const QString& prefix) const
    {
        for (const QString& line : m_lines) {
            if (line.startsWith(prefix + ' ')) {
                return line.mid(prefix.size() + 1);
            }
        }
        return QStringLiteral("(none)");
    }
    QStringList linesStarting(const QString& prefix) const
    {
        QStringList lines;
        for (const QString& line : m_lines) {
            if (line.startsWith(prefix)) {
                lines << line;
            }
        }
        return lines;
    }
    // The notes told between the line that starts with `from` and the next line that starts with
    // `to`.
    QStringList notesBetween(const QString& from, const QString& to) const
    {
        QStringList notes;
        bool inside = false;
        for (const QString& line : m_lines) {
            if (line.startsWith(from)) {
                inside = true;
            } else if (line.startsWith(to)) {
                inside = false;
            } else if (inside && line.startsWith(QStringLiteral("note "))) {
                notes << line;
            }
        }
        return notes;
    }
    std::string told() const { return (m_lines.join('\n') + '\n' + m_process.readAllStandardError()).toStdString(); }

private:
    mutable QProcess m_process;
    QStringList m_lines;
};

TEST(RecoveryRestart, KilledProgramsLeaveTheirSongsAndTheNextStartRestoresOne)
{
    QTemporaryDir home;
    const QString edit = QStringLiteral("edit");
    Child first(home.path(), {edit, QStringLiteral("first"), home.path()});
    ASSERT_TRUE(first.waitFor(QStringLiteral("edited beyond the point"))) << first.told();
    // While the first still runs, its song is not offered to the second.
    Child second(home.path(), {edit, QStringLiteral("second"), home.path()});
    ASSERT_TRUE(second.waitFor(QStringLiteral("edited beyond the point"))) << second.told();
    EXPECT_EQ(second.value(QStringLiteral("asked")), QStringLiteral("0")) << second.told();
    first.killHard();
    second.killHard();
    const QStringList kept = first.notesBetween(QStringLiteral("point "), QStringLiteral("end of point"));
    ASSERT_EQ(kept.size(), 51) << "the saved note and 50 edits: " << first.told();

    // Newest first: the second song is declined, the first restored.
    Child restart(home.path(), {QStringLiteral("restore"), QStringLiteral("no"), QStringLiteral("yes")});
    ASSERT_TRUE(restart.waitFor(QStringLiteral("end of song"))) << restart.told();
    EXPECT_TRUE(restart.endedWell()) << restart.told();
    const QStringList questions = restart.linesStarting(QStringLiteral("question "));
    ASSERT_EQ(questions.size(), 2) << restart.told();
    EXPECT_TRUE(questions[0].contains(QStringLiteral("Title: second"))) << questions[0].toStdString();
    EXPECT_TRUE(questions[1].contains(QStringLiteral("Title: first"))) << questions[1].toStdString();

    EXPECT_EQ(restart.notesBetween(QStringLiteral("transposition"), QStringLiteral("end of song")), kept);
    EXPECT_EQ(restart.value(QStringLiteral("title")), QStringLiteral("first"));
    EXPECT_EQ(restart.value(QStringLiteral("path")), first.value(QStringLiteral("saved")));
    EXPECT_EQ(restart.value(QStringLiteral("own file")), QStringLiteral("1"));
    EXPECT_EQ(restart.value(QStringLiteral("modified")), QStringLiteral("1")) << "the restored changes are unsaved";
    EXPECT_EQ(restart.value(QStringLiteral("tempo")), QStringLiteral("400000"));
    EXPECT_EQ(restart.value(QStringLiteral("bar length")), QStringLiteral("40"));
    EXPECT_EQ(restart.value(QStringLiteral("transposition")), QStringLiteral("0 0"));

    const QString folder = restart.value(QStringLiteral("folder"));
    EXPECT_TRUE(folder.startsWith(home.path())) << folder.toStdString();
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList())
        << "the declined song, the restored one and the restart's own point are gone after its orderly end";
}

} // namespace
} // namespace zembra
