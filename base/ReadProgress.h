#pragma once

#include <cstdint>
#include <functional>

namespace rw
{

// Told by a long read how far it has come: bytes done and the total. It
// returns false to stop the read (the user pressed Cancel); the read then
// ends at its next step and says it was stopped. A read may call it from a
// helper thread.
using ReadProgress = std::function<bool(std::int64_t done, std::int64_t total)>;

} // namespace rw
