#pragma once

namespace rw
{

// The one place the windows are wired to each other: fills every entry of
// windowHooks(): what shared grid code opens (viewer, details, browser), the
// tool windows the launcher opens and the long-lived windows. Call once,
// before the launcher is created.
void wireProgram();

} // namespace rw
