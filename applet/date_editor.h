// Date editing by mouse: the one reaction to a button press.
#pragma once

#include <X11/Xlib.h>

// The click regions over the readout's day, month and year, defined at start-up.
enum { RegionDay = 0, RegionMonth = 1, RegionYear = 2 };

// Steps the day, month or year, returns to the clock or toggles the view, as the press demands.
void handleButtonPress(const XEvent* event);
