#include "base/AppGlobals.h"

namespace rw {

bool DuplicateMode = true;

} // namespace rw
