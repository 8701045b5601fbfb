#pragma once

#include <cstddef>
#include <cstdint>

namespace rw
{

// What a scan saw of one file or folder: which object it was. Two names
// refer to the same object exactly when device and inode agree; the type
// (regular file, folder, link, other) tells a file swapped for a link or a
// folder apart even where an inode number is reused.
// The device and inode of a file: one key for all names of one file (hard
// links), for hash sets and maps.
struct InodeKey {
    std::uint64_t dev = 0;
    std::uint64_t ino = 0;
    bool operator==(const InodeKey& o) const { return dev == o.dev && ino == o.ino; }
};

struct InodeKeyHash {
    std::size_t operator()(const InodeKey& k) const
    {
        return std::size_t(k.ino * 0x9E3779B97F4A7C15ull ^ k.dev);
    }
};

struct FileIdentity {
    enum class Type : std::uint8_t { Unknown, File, Folder, SymLink, Other };

    std::uint64_t dev = 0;
    std::uint64_t ino = 0;
    Type type = Type::Unknown;

    // An identity the scan did not record (dev and ino 0) matches anything of
    // the right type; callers that must be sure check isKnown().
    bool isKnown() const { return dev != 0 || ino != 0; }
    bool operator==(const FileIdentity& o) const
    {
        return dev == o.dev && ino == o.ino && type == o.type;
    }

    // The type of an st_mode value.
    static Type typeOfMode(std::uint32_t mode);
};

} // namespace rw
