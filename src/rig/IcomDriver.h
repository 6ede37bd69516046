#pragma once

// The drivers of the radios on CI-V frames (IcomCodec): the Icom, the IC-735 and the
// Ten-Tec Omni VI.

#include "rig/RigDriver.h"

#include <memory>

std::unique_ptr<RigDriver> icomDriver();
std::unique_ptr<RigDriver> icom735Driver();
std::unique_ptr<RigDriver> omniViDriver();
