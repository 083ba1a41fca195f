// Date editing by mouse: the one reaction to a button press.
#pragma once

#include <X11/Xlib.h>

#include "applet/readout_layout.h"

namespace dockorrery {

// Steps the day, month or year, returns to the clock or toggles the view, as the press demands.
void handleButtonPress(const XEvent* event);

}  // namespace dockorrery
