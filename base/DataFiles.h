#pragma once

#include <QString>
#include <QStringList>

namespace rw
{

// Where the program's read-only data files (the help file) are looked for,
// in this order: beside the program (a build tree, a copy run from a
// folder), then share/roomwise/ next to the program's bin/ (an installed
// tree under any prefix), then roomwise/ under each of `dataDirs`.
QStringList DataFileCandidates(const QString& programFolder, const QString& name,
                               const QStringList& dataDirs);

// The first of DataFileCandidates that is an existing file. When none is,
// the path beside the program, so a message names where it was expected.
QString FindDataFile(const QString& programFolder, const QString& name,
                     const QStringList& dataDirs);

// The same with the XDG data folders (XDG_DATA_HOME, then XDG_DATA_DIRS or
// their defaults).
QString FindDataFile(const QString& programFolder, const QString& name);

} // namespace rw
