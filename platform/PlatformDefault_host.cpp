// On the host there is no operating system to bind to: the default platform is a
// simulated machine, so that nothing a host build runs can touch the real one.
#include "Platform.h"
#include "SimPlatform.h"

namespace platform {

Platform& Default()
{
    static SimMachine machine;
    return machine.platform;
}

}  // namespace platform
