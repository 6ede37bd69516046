#pragma once

// A device wait that keeps the window answering: it waits about ms milliseconds on an event
// loop of its own, so that whatever arrives meanwhile (a key, a click, the port's bytes, a
// screen reader's questions about the window) is handled as it comes, not once the wait
// is over.
void letEventsRunFor(int ms);
