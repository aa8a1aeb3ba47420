#include "io/temp_journal.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <system_error>
#include <vector>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace zembra {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kTempPrefix = ".zembra-saving-";
constexpr std::size_t kTempRandomChars = 8;
constexpr std::string_view kJournalSuffix = ".journal";
constexpr std::string_view kAlphabet = "abcdefghijklmnopqrstuvwxyz0123456789";

std::string randomChars(std::size_t count)
{
    thread_local std::mt19937 random{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, kAlphabet.size() - 1);
    std::string chars;
    for (std::size_t i = 0; i < count; ++i) {
        chars += kAlphabet[pick(random)];
    }
    return chars;
}

#ifndef _WIN32
bool writeAll(int fd, const char* data, std::size_t size)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

std::string readAll(int fd)
{
    std::string bytes;
    char block[4096];
    for (;;) {
        const ssize_t n = ::read(fd, block, sizeof block);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return bytes;
        }
        bytes.append(block, static_cast<std::size_t>(n));
    }
}

// Entries are separated by NUL, the one byte no path holds.
int removeListed(const std::string& entries)
{
    int removed = 0;
    std::size_t start = 0;
    while (start < entries.size()) {
        std::size_t end = entries.find('\0', start);
        if (end == std::string::npos) {
            end = entries.size();
        }
        const std::string path = entries.substr(start, end - start);
        start = end + 1;
        struct stat info {};
        if (TempJournal::IsTempName(fs::path(path).filename().string()) && ::lstat(path.c_str(), &info) == 0 &&
            S_ISREG(info.st_mode) && ::unlink(path.c_str()) == 0) {
            ++removed;
        }
    }
    return removed;
}
#endif

} // namespace

TempJournal& TempJournal::instance()
{
    static TempJournal journal;
    return journal;
}

std::string TempJournal::NewTempName()
{
    return std::string(kTempPrefix) + randomChars(kTempRandomChars);
}

bool TempJournal::IsTempName(std::string_view fileName)
{
    if (fileName.size() != kTempPrefix.size() + kTempRandomChars || fileName.substr(0, kTempPrefix.size()) != kTempPrefix) {
        return false;
    }
    return fileName.substr(kTempPrefix.size()).find_first_not_of(kAlphabet) == std::string_view::npos;
}

#ifndef _WIN32

int TempJournal::RemoveStale(const std::string& folder)
{
    std::error_code ec;
    std::vector<fs::path> journals;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, ec)) {
        const std::string name = entry.path().filename().string();
        if (name.size() > kJournalSuffix.size() && name.ends_with(kJournalSuffix)) {
            journals.push_back(entry.path());
        }
    }
    int removed = 0;
    for (const fs::path& journal : journals) {
        const int fd = ::open(journal.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
        if (fd < 0) {
            continue;
        }
        // A running process holds its journal's lock; a killed one released it with its life.
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            removed += removeListed(readAll(fd));
            ::unlink(journal.c_str());
        }
        ::close(fd);
    }
    return removed;
}

void TempJournal::Start(const std::string& folder)
{
    TempJournal& self = instance();
    std::lock_guard lock(self.m_mutex);
    if (self.m_fd >= 0) {
        return;
    }
    std::error_code ec;
    fs::create_directories(folder, ec);
    RemoveStale(folder);
    // The journal is locked under a name that the clean-up ignores, and only then takes its own,
    // so that no other start can find it unlocked and remove it.
    const std::string name = randomChars(kTempRandomChars);
    const std::string unlisted = (fs::path(folder) / ("." + name)).string();
    const int fd = ::open(unlisted.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) {
        return;
    }
    const std::string listed = (fs::path(folder) / (name + std::string(kJournalSuffix))).string();
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || ::rename(unlisted.c_str(), listed.c_str()) != 0) {
        ::unlink(unlisted.c_str());
        ::close(fd);
        return;
    }
    self.m_fd = fd;
    self.m_path = listed;
    // A run that ends normally takes its journal with it; only a killed one leaves it behind.
    std::atexit(&TempJournal::Stop);
}

void TempJournal::Stop()
{
    TempJournal& self = instance();
    std::lock_guard lock(self.m_mutex);
    if (self.m_fd < 0) {
        return;
    }
    ::unlink(self.m_path.c_str());
    ::close(self.m_fd);
    self.m_fd = -1;
    self.m_path.clear();
}

void TempJournal::Record(const std::string& tempPath)
{
    TempJournal& self = instance();
    std::lock_guard lock(self.m_mutex);
    if (self.m_fd < 0) {
        return;
    }
    std::error_code ec;
    const std::string absolute = fs::absolute(tempPath, ec).string();
    const std::string entry = (ec ? tempPath : absolute) + '\0';
    writeAll(self.m_fd, entry.data(), entry.size());
}

#else

// Without advisory locks that die with the process, the journal is not kept.
int TempJournal::RemoveStale(const std::string&) { return 0; }
void TempJournal::Start(const std::string&) {}
void TempJournal::Stop() {}
void TempJournal::Record(const std::string&) {}

#endif

} // namespace zembra
