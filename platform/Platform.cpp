#include "Platform.h"

#include <cstdio>
#include <cstdlib>

namespace platform {
namespace {
Platform* g_current = nullptr;
}

Platform& Current()
{
    if (!g_current) {
        std::fputs("no platform in place\n", stderr);
        std::abort();
    }
    return *g_current;
}

ScopedPlatform::ScopedPlatform(Platform& replacement) : m_Previous(g_current) { g_current = &replacement; }

ScopedPlatform::~ScopedPlatform() { g_current = m_Previous; }

}  // namespace platform
