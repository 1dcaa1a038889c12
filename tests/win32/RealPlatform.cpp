// The Win32 tests run on the real platform, put in place as the program puts it
// (the screen's DPI read as it starts); tests that must not change the machine
// put a simulated one over it.
#include "os/Win32System.h"
#include "ui/App.h"
#include "ui/Win32Services.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class RealMachine : public ::testing::Environment {
public:
    void SetUp() override
    {
        m_System = std::make_unique<os::ScopedSystem>(os::Win32());
        m_Services = std::make_unique<ui::ScopedServices>(ui::Win32Services());
        ui::App::ReadScreenScale();
    }
    void TearDown() override
    {
        m_Services.reset();
        m_System.reset();
    }

private:
    std::unique_ptr<os::ScopedSystem> m_System;
    std::unique_ptr<ui::ScopedServices> m_Services;
};

[[maybe_unused]] ::testing::Environment* const g_machine = ::testing::AddGlobalTestEnvironment(new RealMachine);

}  // namespace
