#include "platform/Terminal.h"

#include <unistd.h>

namespace rw
{

bool standardErrorIsTerminal()
{
    return ::isatty(STDERR_FILENO) == 1;
}

} // namespace rw
