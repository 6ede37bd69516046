#pragma once

// The spotting window's help, shown in its monitor when a transport is chosen: the
// paragraphs for the choice ("None" gives them all), each followed by an empty line.

#include <QString>

QString spotHelpText(const QString& choice);
