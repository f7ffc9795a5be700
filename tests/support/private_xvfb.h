#pragma once
// A test main that runs its cases on a virtual X display of its own: Xvfb on a free
// display, so the test needs no display of the machine's and never touches one. Where
// Xvfb cannot start, the cases run on the offscreen platform (and may skip themselves).

#include <functional>

// Starts Xvfb, makes the QApplication, hands over to run (which runs the cases and
// returns their status) and takes the display down again. Listing the cases starts
// nothing.
int RunOnPrivateXvfb(int argc, char** argv, const std::function<int()>& run);

// Whether the cases run on the X display (Qt's xcb platform).
bool OnX11();
