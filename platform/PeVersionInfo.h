#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <span>

namespace rw
{

// One text line of a program's version resource: its label and the value
// name under which the string table holds it.
struct VersionField {
    const char* label; // e.g. "Company: "
    const char* name;  // e.g. "CompanyName"
};

// The eleven version lines in the order they are shown.
const std::array<VersionField, 11>& versionFields();

// The version lines of the file at `path`, read from the VS_VERSIONINFO
// resource of a PE program or library ("MZ" + "PE\0\0" header; the file name
// does not matter). Empty when the file is not a PE file, has no version
// resource or no translation table, or is malformed in any way. Otherwise all
// eleven lines in the order of versionFields(): label, a tab when `withTab`,
// and the value of the first translation's string table with control
// characters and leading blanks removed (the line ends after the label when
// the value is absent).
//
// The file is untrusted input: every offset and length is checked against the
// file size, at most a bounded number of bytes is read (a few small headers
// and at most 64 KiB of resource data), and special files (FIFOs, devices)
// are never opened for reading.
QStringList ReadVersionInfo(const QString& path, bool withTab);
// The same for a path given as the file system's bytes.
QStringList ReadVersionInfo(const QByteArray& path, bool withTab);

// The same for a PE image held in memory (the whole file content).
QStringList versionInfoLines(std::span<const std::uint8_t> image, bool withTab);

} // namespace rw
