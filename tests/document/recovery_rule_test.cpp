#include "document/recovery_rule.h"

#include <gtest/gtest.h>

namespace zembra {
namespace {

using std::chrono::milliseconds;

TEST(RecoveryRule, WritesUnsavedEditsAfterTheIntervalOrTheEditLimit)
{
    const RecoveryLimits standard;
    const RecoveryLimits quick{milliseconds(100), 3};
    struct Case {
        const char* what;
        RecoveryFacts facts;
        RecoveryLimits limits;
        bool due;
    };
    const Case cases[] = {
        {"saved, nothing happened", {false, milliseconds(0), 0}, standard, false},
        {"saved, however long and however many edits", {false, milliseconds(600000), 500}, standard, false},
        {"unsaved, but nothing new since the last point", {true, milliseconds(600000), 0}, standard, false},
        {"one edit, just under a minute", {true, milliseconds(59999), 1}, standard, false},
        {"one edit, a minute", {true, milliseconds(60000), 1}, standard, true},
        {"one edit, long after", {true, milliseconds(3600000), 1}, standard, true},
        {"49 edits at once", {true, milliseconds(0), 49}, standard, false},
        {"the 50th edit", {true, milliseconds(0), 50}, standard, true},
        {"past the edit limit", {true, milliseconds(10), 51}, standard, true},
        {"other limits: under both", {true, milliseconds(99), 2}, quick, false},
        {"other limits: their interval", {true, milliseconds(100), 1}, quick, true},
        {"other limits: their edit count", {true, milliseconds(0), 3}, quick, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RecoveryWriteDue(c.facts, c.limits), c.due) << c.what;
    }
}

} // namespace
} // namespace zembra
