#pragma once

// The drivers of the binary Yaesu radios (YaesuCodec), one per model's status block. The
// FTdx9000 speaks the Kenwood text protocol and has its driver there.

#include "rig/RigDriver.h"

#include <memory>

enum class YaesuModel { Newer, Ft757GxII, Ft890, Ft920, Ft990, Ft1000 };

std::unique_ptr<RigDriver> yaesuDriver(YaesuModel model);
// A name starting with "Yaesu" that the rig list does not hold (a settings file written by
// hand): nothing is polled, but the port still gets the interface's opening and closing
// bytes, which go by the first five letters of the name.
std::unique_ptr<RigDriver> unlistedYaesuDriver();
