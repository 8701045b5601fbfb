#include "platform/FileIdentity.h"

#include <sys/stat.h>

namespace rw
{

FileIdentity::Type FileIdentity::typeOfMode(std::uint32_t mode)
{
    switch (mode & S_IFMT) {
    case S_IFREG:
        return Type::File;
    case S_IFDIR:
        return Type::Folder;
    case S_IFLNK:
        return Type::SymLink;
    case 0:
        // No type bits at all: nothing was recorded.
        return Type::Unknown;
    default:
        return Type::Other;
    }
}

} // namespace rw
