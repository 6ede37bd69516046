#pragma once

// The texts a spot link shows in the monitor when its connection fails, by socket error
// number ("ERROR: Connection is forcefully rejected." for 10061). The telnet cluster and
// the packet engine report the same way.

#include <QString>

// The text for a socket error number; "Error number " and the number for one not known.
QString socketErrorText(int number);

// The number the far end's hanging up is reported with: "ERROR: Socket has been shut down.".
constexpr int SocketRemoteClosed = 10058;
