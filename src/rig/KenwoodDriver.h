#pragma once

// The drivers of the radios that speak the Kenwood text protocol (KenwoodCodec): the
// Kenwood, the Kenwood read through its IF reply, the Elecraft and the Yaesu FTdx9000.

#include "rig/RigDriver.h"

#include <memory>

std::unique_ptr<RigDriver> kenwoodDriver();
std::unique_ptr<RigDriver> kenwoodIfDriver();
std::unique_ptr<RigDriver> elecraftDriver();
std::unique_ptr<RigDriver> ftdx9000Driver();
