// A test that puts no machine of its own in place runs on a simulated one, so
// that nothing a host test does can reach past it.
#include "tests/support/SimMachine.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class SimulatedMachine : public ::testing::Environment {
public:
    void SetUp() override { m_Scope = std::make_unique<sim::ScopedMachine>(m_Machine); }
    void TearDown() override { m_Scope.reset(); }

private:
    sim::SimMachine m_Machine;
    std::unique_ptr<sim::ScopedMachine> m_Scope;
};

[[maybe_unused]] ::testing::Environment* const g_machine = ::testing::AddGlobalTestEnvironment(new SimulatedMachine);

}  // namespace
