#include "smf_reader_exercise.h"

#include "midi_csv.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace zembra {
namespace {

// Replays the fuzz target's corpus: every file ends in a result, and the named cases in the
// right one: bad-* refused, damaged-* read up to the damage, ok-* read whole.
TEST(FuzzCorpus, EveryFileEndsInTheExpectedResult)
{
    const std::filesystem::path dir = ZEMBRA_TEST_DATA "/midi/fuzz-corpus";
    ASSERT_TRUE(std::filesystem::is_directory(dir));
    int replayed = 0, refused = 0, damaged = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        const std::string name = entry.path().filename().string();
        const std::string text = test::readText(entry.path().string());
        const SmfOutcome outcome = exerciseSmfReader(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
        if (name.rfind("bad-", 0) == 0) {
            EXPECT_EQ(outcome, SmfOutcome::Refused) << name;
        } else if (name.rfind("damaged-", 0) == 0) {
            EXPECT_EQ(outcome, SmfOutcome::ReadDamaged) << name;
        } else if (name.rfind("ok-", 0) == 0) {
            EXPECT_EQ(outcome, SmfOutcome::Read) << name;
        }
        refused += outcome == SmfOutcome::Refused ? 1 : 0;
        damaged += outcome == SmfOutcome::ReadDamaged ? 1 : 0;
        ++replayed;
    }
    EXPECT_GE(replayed, 30);
    EXPECT_GE(refused, 10);
    EXPECT_GE(damaged, 10);
}

}  // namespace
}  // namespace zembra
