#include "Platform.h"

namespace platform {
namespace {
Platform* g_current = nullptr;
}

Platform& Current() { return g_current ? *g_current : Default(); }

ScopedPlatform::ScopedPlatform(Platform& replacement) : m_Previous(g_current) { g_current = &replacement; }

ScopedPlatform::~ScopedPlatform() { g_current = m_Previous; }

}  // namespace platform
