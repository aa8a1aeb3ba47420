#include "midi/time_source.h"

namespace zembra {

std::int64_t SteadyTimeSource::nowMicros() const
{
    return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - m_origin).count();
}

}  // namespace zembra
