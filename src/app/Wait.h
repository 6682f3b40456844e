// The pause that keeps the windows alive: the splash stays up through it at start-up, and the engine
// takes one between races so the progress window can paint and the user can move windows meanwhile.
#pragma once

namespace talpo {

// Processes pending window events until more than `milliseconds` have passed; events are processed at
// least once, also for zero or a negative time. Between events the thread sleeps instead of spinning.
void Wait(int milliseconds);

}  // namespace talpo
