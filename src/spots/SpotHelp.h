#pragma once

// The spotting window's help, shown in its monitor when a transport is chosen: the kind's
// own paragraphs, then the closing ones (and the note on the hardware where the kind says
// so); for "None" an overview of them all. Each paragraph is followed by an empty line.

#include <QString>

struct SpotLinkKind;

// Nothing where no kind is chosen.
QString spotHelpText(const SpotLinkKind* choice);
