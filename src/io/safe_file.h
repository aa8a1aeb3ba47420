#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace zembra {

// Why a file could not be written. The target is left as it was in every case.
enum class SafeFileError {
    None,
    NotAFile,     // the target is a folder, a device, a FIFO or a socket
    ReadOnly,     // nobody may write the target, or this user may not
    CannotCreate, // the folder refuses a new file, or the name is too long for it
    WriteFailed,  // a write, the flush or the sync failed: a full disk, an I/O error
    NotReplaced,  // the finished file could not take the target's place
};

// What kind of thing sits at a target that is not a regular file.
enum class TargetKind { Missing, Regular, Folder, Device, Fifo, Socket, Other };

// A failure as the writers report it upwards; the window and the command line put it in words.
struct WriteProblem {
    SafeFileError error = SafeFileError::None;
    int systemError = 0; // the system's error number, 0 when the check was ours
    TargetKind kind = TargetKind::Missing; // what sits at the target, for NotAFile

    bool failed() const { return error != SafeFileError::None; }
};

// One safe way to write a file: the bytes go into a new file beside the target, every write and
// the final sync are checked, the new file takes the target's permissions and only then is renamed
// over the target. A failure at any step removes the new file and leaves the target untouched.
// A symbolic link is written through to the file it names, as editors do. Names are the file
// system's own bytes.
class SafeFile {
public:
    explicit SafeFile(std::string target);
    ~SafeFile();
    SafeFile(const SafeFile&) = delete;
    SafeFile& operator=(const SafeFile&) = delete;

    // Checks the target and creates the new file; false (with error()) when the target may not or
    // cannot be written, before any work is spent on its contents.
    bool Open();
    bool Write(const void* data, std::size_t size);
    bool Write(const std::vector<std::uint8_t>& bytes) { return Write(bytes.data(), bytes.size()); }
    // Moves the write position, for formats whose header is written last.
    bool Seek(std::uint64_t offset);
    // Syncs the new file and renames it over the target.
    bool Commit();
    // Removes the new file; the target stays as it was.
    void Discard();

    bool isOpen() const { return m_fd >= 0; }
    SafeFileError error() const { return m_error; }
    WriteProblem problem() const { return {m_error, m_errno, m_kind}; }
    // The target as given, and the file that is replaced once links are followed.
    const std::string& target() const { return m_target; }
    const std::string& finalPath() const { return m_final; }
    const std::string& tempPath() const { return m_temp; }
    // A short English account of the failure, for logs and tests.
    std::string reason() const;

private:
    bool fail(SafeFileError error, int systemError);
    bool writeRaw(const std::uint8_t* data, std::size_t size);
    bool flush();
    bool resolveTarget();
    bool createTemp();

    std::string m_target;
    std::string m_final;
    std::string m_temp;
    int m_fd = -1;
    std::vector<std::uint8_t> m_buffer;
    SafeFileError m_error = SafeFileError::None;
    int m_errno = 0;
    TargetKind m_kind = TargetKind::Missing;
    bool m_keepMode = false;
    unsigned m_mode = 0;
    long m_owner = -1;
    long m_group = -1;
};

// Writes a whole file at once through SafeFile; the failed file is returned for its account.
bool WriteWholeFile(SafeFile& file, const void* data, std::size_t size);

} // namespace zembra
