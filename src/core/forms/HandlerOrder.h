#pragma once

// The order in which the windows' event handlers run. A handler that moves the focus does
// not run the leaving and entering handlers of the controls inside itself: they wait
// until it has returned, then run one after the other in the order of the moves, each to
// its end before the next; a move made inside one of them waits in its turn. So a
// keystroke's own handler always finishes first, and a field's leaving handler sees the
// window as the keystroke left it.
//
// A handler delivered by a nested event loop (a modal window opened from inside a
// handler) is an event of its own: what it calls for runs once it has returned, not once
// the handler that opened the loop has.

#include <functional>

class QObject;

namespace HandlerOrder {

// Runs the handler of one event (a keystroke); the focus handlers it calls for run once
// it has returned.
void runEvent(const std::function<void()>& handler);

// Runs a focus handler of a control (its GotFocus or LostFocus): at once when no handler
// is running, else once the running event's handlers have returned. A handler whose
// control is gone by then is dropped.
void runFocusHandler(QObject* control, std::function<void()> handler);

} // namespace HandlerOrder
