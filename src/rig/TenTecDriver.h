#pragma once

// The drivers of the Ten-Tec radios of TenTecCodec: the front panel's binary queries, the
// Orion's text protocol, and the Pegasus, run by an outside program through exchange files
// in the folder given. The Omni VI speaks CI-V and has its driver with the Icom radios.

#include "rig/RigDriver.h"

#include <memory>

std::unique_ptr<RigDriver> tenTecPanelDriver();
std::unique_ptr<RigDriver> orionDriver();
std::unique_ptr<RigDriver> pegasusDriver(const QString& folder);
