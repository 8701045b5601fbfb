#pragma once

namespace rw
{

// Lets shared grid code open the details window: sets
// windowHooks().openDetails to show a TfrmDetails on the path, modally,
// owned by the given parent. Call once at start-up.
void registerDetailsHooks();

} // namespace rw
