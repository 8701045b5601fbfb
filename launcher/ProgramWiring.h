#pragma once

namespace rw
{

// Connects the layers at start-up: the window hooks through which shared grid
// code opens the viewer, the details window and the browser; the factories of
// the tool windows and of the long-lived windows; and the file-type texts the
// engine pieces show. Call once, before the launcher is created.
void wireProgram();

} // namespace rw
