#pragma once

#include <cstdint>
#include <random>

namespace zembra::monkey {

// The one source of chance of a run: every choice comes from it, so a seed replays the gestures.
// Plain modulo instead of the standard distributions, whose results differ between libraries.
class MonkeyDice {
public:
    explicit MonkeyDice(std::uint64_t seed) : m_engine(seed) {}

    // 0 .. n-1; 0 when n <= 0.
    int below(int n) { return n <= 0 ? 0 : static_cast<int>(m_engine() % static_cast<std::uint64_t>(n)); }
    // lo .. hi, both included.
    int between(int lo, int hi) { return hi <= lo ? lo : lo + below(hi - lo + 1); }
    bool percent(int p) { return below(100) < p; }

private:
    std::mt19937_64 m_engine;
};

} // namespace zembra::monkey
