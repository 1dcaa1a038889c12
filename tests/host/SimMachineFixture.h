#pragma once
// Host tests run the engine against a simulated machine put in place for the test.
#include "tests/support/SimMachine.h"

#include <gtest/gtest.h>

class SimMachineTest : public ::testing::Test {
protected:
    sim::SimMachine machine;
    sim::ScopedMachine scope{machine};

    sim::SimDosDevices& dos() { return machine.dos; }
    sim::SimFileSystem& files() { return machine.files; }
};
