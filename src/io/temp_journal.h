#pragma once

#include <mutex>
#include <string>
#include <string_view>

namespace zembra {

// The temporary files this process makes while it writes, listed in a journal of its own in the
// application's data folder. The journal is locked for as long as the process lives, so that a
// later run can tell the journals of killed processes from those of running ones and remove the
// temporary files they left behind: those, and nothing else.
class TempJournal {
public:
    // Removes what dead processes left, then opens this process's journal in `folder`. Without a
    // call, nothing is recorded (plain tools and tests).
    static void Start(const std::string& folder);
    // Closes this process's journal and removes it (what it lists is gone by then).
    static void Stop();
    static void Record(const std::string& tempPath);
    // Removes the temporary files listed in journals that no running process holds, and the
    // journals; returns how many files were removed.
    static int RemoveStale(const std::string& folder);

    // The name of a new temporary file: short, so that it fits in any folder that holds the
    // target, and saying whose it is.
    static std::string NewTempName();
    static bool IsTempName(std::string_view fileName);

private:
    static TempJournal& instance();

    std::mutex m_mutex;
    int m_fd = -1;
    std::string m_path;
};

} // namespace zembra
