#pragma once

namespace rw
{

// True when standard error is a terminal (progress is shown there only then,
// so a log file or a pipe gets no carriage-return clutter).
bool standardErrorIsTerminal();

} // namespace rw
