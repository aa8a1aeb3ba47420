#include "document/recovery_rule.h"

namespace zembra {

bool RecoveryWriteDue(const RecoveryFacts& facts, const RecoveryLimits& limits)
{
    // Without an edit since the last point, writing again would only repeat it.
    if (!facts.unsaved || facts.editsSinceWrite <= 0) {
        return false;
    }
    return facts.sinceWrite >= limits.interval || facts.editsSinceWrite >= limits.edits;
}

} // namespace zembra
