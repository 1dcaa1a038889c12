#pragma once
// Host tests run the engine against a simulated machine put in place for the test.
#include "platform/SimPlatform.h"

#include <gtest/gtest.h>

class SimMachineTest : public ::testing::Test {
protected:
    platform::SimMachine machine;
    platform::ScopedPlatform scope{machine.platform};

    platform::SimDosDevices& dos() { return machine.dos; }
    platform::SimFileSystem& files() { return machine.files; }
};
