#pragma once

// The rig list and the driver of each type on it: the one place that knows every family.

#include "rig/RigDriver.h"

#include <QStringList>
#include <memory>

// Where a radio run through exchange files has them; empty for the Pegasus folder in the
// home folder.
struct RigDriverOptions {
    QString exchangeFolder;
};

// The rig list in its order, "None" first and "Other" last.
const QStringList& rigTypes();

// The driver of a radio type as the rig list names it; a driver that sends and reads
// nothing for "None", an empty name and any name the list does not hold.
std::unique_ptr<RigDriver> rigDriverFor(const QString& rigName, const RigDriverOptions& options = {});
