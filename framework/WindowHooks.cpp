#include "framework/WindowHooks.h"

namespace rw {

WindowHooks& windowHooks()
{
    static WindowHooks hooks;
    return hooks;
}

} // namespace rw
