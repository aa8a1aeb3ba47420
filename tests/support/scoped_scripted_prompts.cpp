#include "scoped_scripted_prompts.h"

namespace zembra {

ScopedScriptedPrompts::ScopedScriptedPrompts()
{
    auto scripted = std::make_unique<ScriptedPrompts>();
    m_scripted = scripted.get();
    m_previous = installPrompts(std::move(scripted));
}

ScopedScriptedPrompts::~ScopedScriptedPrompts()
{
    installPrompts(std::move(m_previous));
}

} // namespace zembra
