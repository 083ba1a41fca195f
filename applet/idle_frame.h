// One idle frame of the main loop.
#pragma once

namespace dockorrery {

// Idle frames from one reading of the clock to the next: it is read on the first idle frame
// (main starts the counter here) and then on every 102nd.
constexpr int kClockCheckInterval = 102;

// Clears the plot well, draws readout, chart and label, checks the clock, refreshes both windows
// and sleeps 10 ms. `idleFrameCounter` counts idle frames since the last clock check.
void renderIdleFrame(int& idleFrameCounter);

}  // namespace dockorrery
