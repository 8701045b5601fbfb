#pragma once

#include <cstdint>

namespace rw
{

// File attribute flags as the scanning tools test them. The values follow
// the classic DOS/Windows attribute byte so masks read the same everywhere;
// faSymLink is our own addition for entries that are symbolic links.
//
// On Linux: hidden = the name begins with '.'; read-only = the owner write
// bit is clear; system = a device, FIFO or socket; archive and volume label
// are never set.
enum FileAttribute : std::uint32_t {
    faReadOnly = 0x01,
    faHidden = 0x02,
    faSysFile = 0x04,
    faVolumeID = 0x08,
    faDirectory = 0x10,
    faArchive = 0x20,
    faSymLink = 0x40,
};

// Attributes of an entry from its name (raw bytes) and st_mode.
inline std::uint32_t attributesFromMode(const char* name, std::uint32_t mode)
{
    std::uint32_t a = 0;
    if (name && name[0] == '.')
        a |= faHidden;
    const std::uint32_t type = mode & 0170000u;
    switch (type) {
    case 0040000u: // directory
        a |= faDirectory;
        break;
    case 0120000u: // symbolic link
        a |= faSymLink;
        break;
    case 0020000u: // character device
    case 0060000u: // block device
    case 0010000u: // FIFO
    case 0140000u: // socket
        a |= faSysFile;
        break;
    default:
        break;
    }
    if ((mode & 0200u) == 0)
        a |= faReadOnly;
    return a;
}

} // namespace rw
