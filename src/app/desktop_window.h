// The desktop program's window with the real outside world around it: the computer's
// clock and zone, NASA's site, the frame cache and the desktop's hand-off. main() runs
// it; the start-up benchmark runs it too, to time a whole process as the user sees it.
#pragma once

#include <functional>

class TForm1;

// Names the program to the desktop and its settings, builds the services and the
// window, shows it, calls started (when given) with the window shown, asks for the
// first hour once the window has painted, and runs the event loop until the window
// closes; returns its status.
int RunDesktopWindow(const std::function<void(TForm1&)>& started = {});
