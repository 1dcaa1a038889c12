// The Win32 tests run on the real platform, put in place as the program puts it;
// tests that must not change the machine put a simulated one over it.
#include "platform/Win32Platform.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class RealMachine : public ::testing::Environment {
public:
    void SetUp() override { m_Scope = std::make_unique<platform::ScopedPlatform>(platform::Win32()); }
    void TearDown() override { m_Scope.reset(); }

private:
    std::unique_ptr<platform::ScopedPlatform> m_Scope;
};

[[maybe_unused]] ::testing::Environment* const g_machine = ::testing::AddGlobalTestEnvironment(new RealMachine);

}  // namespace
