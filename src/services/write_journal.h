#pragma once

namespace zembra {

// Opens this process's journal of temporary files in the application's data folder, after
// removing the temporary files that killed runs of the program left behind. Called once the
// application's identity is set.
void StartWriteJournal();

} // namespace zembra
