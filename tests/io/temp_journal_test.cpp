#include "io/safe_file.h"
#include "io/temp_journal.h"

#include "watchdog.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include <sys/wait.h>
#include <unistd.h>

namespace zembra {
namespace {

namespace fs = std::filesystem;

std::set<std::string> entries(const std::string& folder)
{
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

int tempFilesIn(const std::string& folder)
{
    int count = 0;
    for (const std::string& name : entries(folder)) {
        count += TempJournal::IsTempName(name) ? 1 : 0;
    }
    return count;
}

// A program that starts writing `target` and then dies as `kill -9` would end it. With a pipe,
// it waits until the other end closes before it dies, so that it can be seen alive.
pid_t startWriterThatDies(const std::string& journal, const std::string& target, int* holdOpen)
{
    int ready[2];
    int hold[2];
    if (::pipe(ready) != 0 || ::pipe(hold) != 0) {
        return -1;
    }
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(ready[0]);
        ::close(hold[1]);
        TempJournal::Start(journal);
        SafeFile file(target);
        file.Open();
        file.Write("half a song", 11);
        char done = 1;
        [[maybe_unused]] const auto told = ::write(ready[1], &done, 1);
        [[maybe_unused]] const auto waited = ::read(hold[0], &done, 1);
        ::raise(SIGKILL);
    }
    ::close(ready[1]);
    ::close(hold[0]);
    char done = 0;
    [[maybe_unused]] const auto told = ::read(ready[0], &done, 1);
    ::close(ready[0]);
    *holdOpen = hold[1];
    return child;
}

TEST(TempJournal, TheNextRunRemovesWhatAKilledWriterLeftAndNothingElse)
{
    const test::Watchdog watchdog(std::chrono::seconds(60), "a writer that never dies");
    QTemporaryDir dir;
    const std::string journal = dir.path().toStdString() + "/journal";
    const std::string folder = dir.path().toStdString() + "/songs";
    fs::create_directories(folder);
    // The user's own files, one of them named as ours are, but listed in no journal.
    for (const char* own : {"song.wav.part", ".song.pdf.1.saving", ".zembra-saving-abcdefgh"}) {
        std::ofstream(folder + "/" + own) << "mine";
    }

    int hold = -1;
    const pid_t writer = startWriterThatDies(journal, folder + "/song.mid", &hold);
    ASSERT_GT(writer, 0);
    EXPECT_EQ(tempFilesIn(folder), 2) << "the writer's new file, beside the user's look-alike";
    EXPECT_EQ(TempJournal::RemoveStale(journal), 0) << "a running writer's file is left alone";
    EXPECT_EQ(tempFilesIn(folder), 2);

    ::close(hold);
    int status = 0;
    ::waitpid(writer, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(TempJournal::RemoveStale(journal), 1);
    EXPECT_EQ(entries(folder),
              (std::set<std::string>{".song.pdf.1.saving", ".zembra-saving-abcdefgh", "song.wav.part"}));
    EXPECT_TRUE(entries(journal).empty()) << "the dead writer's journal goes too";
}

} // namespace
} // namespace zembra
