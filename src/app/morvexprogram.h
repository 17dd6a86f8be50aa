#pragma once
// The program as it starts: one running copy only, the application, the
// main window over the system's link to the CAD, the message loop.

#include <functional>

class TMorvMainForm;

// Runs the tool until its main window closes; returns the exit code (0
// also when another copy already runs: that start ends silently).
// `whenShown` runs once the main window is shown (a session driven by a
// test program built from this same entry).
int runMorvex(int argc, char *argv[], const std::function<void(TMorvMainForm &)> &whenShown = {});
