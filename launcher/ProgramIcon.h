#pragma once

#include <QIcon>
#include <QString>

namespace rw
{

// The icon's name in the icon theme (share/icons/hicolor/*/apps/roomwise.*)
// and the same drawing built into the program.
inline const QString kProgramIconName = QStringLiteral("roomwise");
inline const QString kBuiltInProgramIcon = QStringLiteral(":/icons/roomwise.svg");

// The program's window icon: the theme's "roomwise" when it is installed
// (so a theme may restyle it), else the drawing built into the program.
QIcon programIcon();

} // namespace rw
