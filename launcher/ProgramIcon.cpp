#include "launcher/ProgramIcon.h"

namespace rw
{

QIcon programIcon()
{
    return QIcon::fromTheme(kProgramIconName, QIcon(kBuiltInProgramIcon));
}

} // namespace rw
