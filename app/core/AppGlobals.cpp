#include "app/core/AppGlobals.h"

namespace rw {

bool DuplicateMode = true;

} // namespace rw
