#pragma once

#include <QString>

namespace rw
{

// The folder that holds the settings file: $XDG_CONFIG_HOME/roomwise
// (default $HOME/.config/roomwise). Only absolute folders count: a relative
// XDG_CONFIG_HOME is ignored, and with no absolute HOME either the result is
// empty (there is nowhere to keep settings). Not created here; writers
// create it.
QString settingsFolder();

// A profile name without a folder resolves to the settings folder (empty
// when there is none); a name with a folder is kept as it is.
QString resolveProfilePath(const QString& name);

// The platform's "system folder" (/usr/lib) and "OS folder" (/etc).
QString systemFolder();
QString osFolder();

// The folder of the running program (no trailing separator).
QString programFolder();

// The program's full path as started (argument 0 made absolute); the default
// placement section.
QString programPath();

// The temporary folder (QDir::tempPath()).
QString temporaryFolder();

} // namespace rw
