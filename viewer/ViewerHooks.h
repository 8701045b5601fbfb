#pragma once

namespace rw
{

// Lets the result grids open the file viewer: sets windowHooks().openViewer
// to show TfrmView modally on a path (the file system's bytes), owned by the
// caller's window. Called once at start-up.
void registerViewerHooks();

} // namespace rw
