#include "io/safe_file.h"

#include "io/temp_journal.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace zembra {

namespace {

namespace fs = std::filesystem;

#ifdef _WIN32
constexpr int kCloseOnExec = 0;
int syncFile(int fd) { return ::_commit(fd); }
#else
constexpr int kCloseOnExec = O_CLOEXEC;
int syncFile(int fd) { return ::fsync(fd); }
#endif

constexpr std::size_t kBufferBytes = 64 * 1024;
constexpr int kMaxLinks = 40;
constexpr int kTempAttempts = 100;
constexpr unsigned kNewFileMode = 0666; // the umask takes off what the user keeps to himself
constexpr unsigned kPrivateMode = 0600;
constexpr unsigned kModeBits = 07777;
constexpr unsigned kAnyWrite = 0222;

TargetKind kindOf(const struct stat& info)
{
    if (S_ISREG(info.st_mode)) {
        return TargetKind::Regular;
    }
    if (S_ISDIR(info.st_mode)) {
        return TargetKind::Folder;
    }
#ifndef _WIN32
    if (S_ISCHR(info.st_mode) || S_ISBLK(info.st_mode)) {
        return TargetKind::Device;
    }
    if (S_ISFIFO(info.st_mode)) {
        return TargetKind::Fifo;
    }
    if (S_ISSOCK(info.st_mode)) {
        return TargetKind::Socket;
    }
#endif
    return TargetKind::Other;
}

std::string folderOf(const std::string& path)
{
    const fs::path parent = fs::path(path).parent_path();
    return parent.empty() ? std::string(".") : parent.string();
}

// The longest name the folder takes; names past it fail only at the rename otherwise, after the
// whole file has been written.
long longestName(const std::string& folder)
{
#ifdef _WIN32
    (void)folder;
    return 255;
#else
    errno = 0;
    const long longest = ::pathconf(folder.c_str(), _PC_NAME_MAX);
    return longest > 0 ? longest : 255;
#endif
}

} // namespace

SafeFile::SafeFile(std::string target)
    : m_target(std::move(target))
{
}

SafeFile::~SafeFile()
{
    Discard();
}

bool SafeFile::fail(SafeFileError error, int systemError)
{
    if (m_error == SafeFileError::None) {
        m_error = error;
        m_errno = systemError;
    }
    return false;
}

// Follows symbolic links to the file that is really replaced; a dangling link names a file that
// is yet to be made.
bool SafeFile::resolveTarget()
{
    fs::path path(m_target);
    for (int hops = 0;; ++hops) {
        std::error_code ec;
        const fs::file_status status = fs::symlink_status(path, ec);
        if (ec || !fs::is_symlink(status)) {
            break;
        }
        if (hops == kMaxLinks) {
            return fail(SafeFileError::CannotCreate, ELOOP);
        }
        const fs::path link = fs::read_symlink(path, ec);
        if (ec) {
            return fail(SafeFileError::CannotCreate, ec.value());
        }
        path = link.is_absolute() ? link : path.parent_path() / link;
    }
    m_final = path.string();
    struct stat info {};
    if (::stat(m_final.c_str(), &info) != 0) {
        if (errno != ENOENT) {
            return fail(SafeFileError::CannotCreate, errno);
        }
        m_kind = TargetKind::Missing;
        return true;
    }
    m_kind = kindOf(info);
    if (m_kind != TargetKind::Regular) {
        return fail(SafeFileError::NotAFile, 0);
    }
    // A file without a single write bit was protected on purpose, even from root.
    if ((info.st_mode & kAnyWrite) == 0) {
        return fail(SafeFileError::ReadOnly, 0);
    }
#ifndef _WIN32
    if (::access(m_final.c_str(), W_OK) != 0) {
        return fail(SafeFileError::ReadOnly, errno);
    }
    m_owner = static_cast<long>(info.st_uid);
    m_group = static_cast<long>(info.st_gid);
#endif
    m_keepMode = true;
    m_mode = static_cast<unsigned>(info.st_mode) & kModeBits;
    return true;
}

bool SafeFile::createTemp()
{
    const std::string folder = folderOf(m_final);
    if (static_cast<long>(fs::path(m_final).filename().string().size()) > longestName(folder)) {
        return fail(SafeFileError::CannotCreate, ENAMETOOLONG);
    }
    for (int attempt = 0; attempt < kTempAttempts; ++attempt) {
        const std::string candidate = (fs::path(folder) / TempJournal::NewTempName()).string();
        // Listed before it exists: a process killed right after the open leaves nothing unlisted.
        TempJournal::Record(candidate);
        const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | kCloseOnExec,
                              m_keepMode ? kPrivateMode : kNewFileMode);
        if (fd >= 0) {
            m_fd = fd;
            m_temp = candidate;
            return true;
        }
        if (errno != EEXIST) {
            return fail(SafeFileError::CannotCreate, errno);
        }
    }
    return fail(SafeFileError::CannotCreate, EEXIST);
}

bool SafeFile::Open()
{
    Discard();
    m_error = SafeFileError::None;
    m_errno = 0;
    m_keepMode = false;
    m_kind = TargetKind::Missing;
    m_final.clear();
    return resolveTarget() && createTemp();
}

bool SafeFile::writeRaw(const std::uint8_t* data, std::size_t size)
{
    while (size > 0) {
        const auto n = ::write(m_fd, data, static_cast<unsigned>(std::min<std::size_t>(size, kBufferBytes)));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            // The half-written file goes at once; the failure stays for the caller to report.
            fail(SafeFileError::WriteFailed, n < 0 ? errno : ENOSPC);
            Discard();
            return false;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

bool SafeFile::flush()
{
    const bool written = writeRaw(m_buffer.data(), m_buffer.size());
    m_buffer.clear();
    return written;
}

bool SafeFile::Write(const void* data, std::size_t size)
{
    if (m_fd < 0 || m_error != SafeFileError::None) {
        return false;
    }
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    if (m_buffer.size() + size > kBufferBytes && !flush()) {
        return false;
    }
    if (size >= kBufferBytes) {
        return writeRaw(bytes, size);
    }
    m_buffer.insert(m_buffer.end(), bytes, bytes + size);
    return true;
}

bool SafeFile::Seek(std::uint64_t offset)
{
    if (m_fd < 0 || m_error != SafeFileError::None || !flush()) {
        return false;
    }
    if (::lseek(m_fd, static_cast<off_t>(offset), SEEK_SET) < 0) {
        fail(SafeFileError::WriteFailed, errno);
        Discard();
        return false;
    }
    return true;
}

bool SafeFile::Commit()
{
    if (m_fd < 0 || m_error != SafeFileError::None || !flush()) {
        Discard();
        return false;
    }
    if (syncFile(m_fd) != 0) {
        fail(SafeFileError::WriteFailed, errno);
        Discard();
        return false;
    }
#ifndef _WIN32
    if (m_keepMode) {
        // The owner first: changing it may clear set-id bits that the mode then puts back.
        if (::geteuid() == 0) {
            [[maybe_unused]] const int owned = ::fchown(m_fd, static_cast<uid_t>(m_owner), static_cast<gid_t>(m_group));
        }
        ::fchmod(m_fd, m_mode);
    }
#endif
    const int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0) {
        fail(SafeFileError::WriteFailed, errno);
        Discard();
        return false;
    }
    std::error_code ec;
    fs::rename(m_temp, m_final, ec);
    if (ec) {
        fail(SafeFileError::NotReplaced, ec.value());
        Discard();
        return false;
    }
    m_temp.clear();
#ifndef _WIN32
    // The rename itself reaches the disk with the folder's own sync.
    const int folder = ::open(folderOf(m_final).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
#endif
    return true;
}

void SafeFile::Discard()
{
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    m_buffer.clear();
    if (!m_temp.empty()) {
        ::unlink(m_temp.c_str());
        m_temp.clear();
    }
}

std::string SafeFile::reason() const
{
    std::string what;
    switch (m_error) {
    case SafeFileError::None: return {};
    case SafeFileError::NotAFile: what = "not a regular file"; break;
    case SafeFileError::ReadOnly: what = "the file is read-only"; break;
    case SafeFileError::CannotCreate: what = "cannot create a file in its folder"; break;
    case SafeFileError::WriteFailed: what = "the write failed"; break;
    case SafeFileError::NotReplaced: what = "the file could not be replaced"; break;
    }
    if (m_errno != 0) {
        what += std::string(": ") + std::strerror(m_errno);
    }
    return m_target + ": " + what;
}

bool WriteWholeFile(SafeFile& file, const void* data, std::size_t size)
{
    if (file.Open() && file.Write(data, size) && file.Commit()) {
        return true;
    }
    file.Discard();
    return false;
}

} // namespace zembra
