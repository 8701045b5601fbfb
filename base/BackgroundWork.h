#pragma once

#include <functional>

namespace rw
{

// Runs `work` on the program's background worker: one thread that takes
// the jobs in the order given, so a write that may take a moment (a scan
// kept in the history) never holds up a window, and two such writes never
// race each other. Returns at once.
void runInBackground(std::function<void()> work);

// Waits until every job given so far has finished. The program calls it
// when it ends, so nothing is left half written; tests call it before their
// temporary folders go.
void waitForBackgroundWork();

} // namespace rw
