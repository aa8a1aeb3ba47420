#pragma once

#include "scripted_prompts.h"

#include <memory>

namespace zembra {

// Installs scripted prompts for the lifetime of the object and puts the previous ones back after.
class ScopedScriptedPrompts {
public:
    ScopedScriptedPrompts();
    ~ScopedScriptedPrompts();
    ScriptedPrompts& operator*() { return *m_scripted; }
    ScriptedPrompts* operator->() { return m_scripted; }

private:
    ScriptedPrompts* m_scripted;
    std::unique_ptr<Prompts> m_previous;
};

} // namespace zembra
