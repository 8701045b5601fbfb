#pragma once

#include <QString>

namespace rwtest {

// The temporary folder of the running test. Every test gets a fresh one, and
// HOME, XDG_CONFIG_HOME, XDG_DATA_HOME, XDG_CACHE_HOME and TMPDIR point into it,
// so no test ever touches the real home folder, trash or settings.
QString testRoot();
// The fixture area inside testRoot() ("<root>/fx"), created on demand.
QString fixtureRoot();
// The settings file of the running test.
QString settingsFilePath();

} // namespace rwtest
