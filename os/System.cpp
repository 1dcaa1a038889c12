#include "System.h"

#include <cstdio>
#include <cstdlib>

namespace os {
namespace {
System* g_current = nullptr;
}

System& Current()
{
    if (!g_current) {
        std::fputs("no system in place\n", stderr);
        std::abort();
    }
    return *g_current;
}

ScopedSystem::ScopedSystem(System& replacement) : m_Previous(g_current) { g_current = &replacement; }

ScopedSystem::~ScopedSystem() { g_current = m_Previous; }

}  // namespace os
