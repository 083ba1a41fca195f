// One idle frame of the main loop.
#pragma once

// The clock is re-read on the first idle frame and then on every 102nd.
constexpr int kClockCheckInterval = 101;

// Clears the plot well, draws readout, chart and label, checks the clock, refreshes both windows
// and sleeps 10 ms. `idleFrameCounter` counts idle frames since the last clock check.
void renderIdleFrame(int& idleFrameCounter);
