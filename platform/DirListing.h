#pragma once

#include <QByteArray>

#include <cstdint>
#include <string_view>
#include <vector>

namespace rw
{

// A file descriptor that closes itself. Move-only.
class FileDescriptor
{
public:
    FileDescriptor() = default;
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor() { reset(); }
    FileDescriptor(FileDescriptor&& other) noexcept : m_fd(other.release()) {}
    FileDescriptor& operator=(FileDescriptor&& other) noexcept;
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int get() const { return m_fd; }
    bool isValid() const { return m_fd >= 0; }
    // Closes the descriptor held (if any) and takes `fd`.
    void reset(int fd = -1);
    // Gives up ownership and returns the descriptor.
    int release();

private:
    int m_fd = -1;
};

// What one metadata call tells about an entry (symbolic links not followed).
struct FileStatus {
    std::int64_t size = 0;
    std::uint32_t attributes = 0; // FileAttribute flags
    std::uint32_t mode = 0;       // st_mode
    std::int64_t mtime = 0;       // last write, seconds since the epoch (UTC)
    std::int64_t atime = 0;       // last access
    std::int64_t btime = 0;       // creation (birth); 0 = not recorded
    std::uint64_t dev = 0;
    std::uint64_t ino = 0;
    std::uint64_t nlink = 0;
    std::uint64_t blocks = 0; // allocated 512-byte blocks
    // The mount the entry is on (statx STATX_MNT_ID); 0 when the kernel does
    // not tell it. Filled by DirListing::selfStatus and folderMountStatus only.
    std::uint64_t mountId = 0;
};

// The kind of an entry as the directory itself reports it; Unknown when the
// file system does not say (then a metadata call decides).
enum class EntryType : std::uint8_t { Unknown, File, Directory, SymLink, Special };

// One name of a listing. `name` points into the listing's buffer and stays
// valid until the listing is reopened or destroyed; it is NUL-terminated
// there, so `name.data()` can be passed to system calls.
struct DirEntry {
    std::string_view name;
    EntryType type = EntryType::Unknown;
    std::uint64_t ino = 0; // the inode number the folder gives for the name
    bool isHidden() const { return !name.empty() && name.front() == '.'; }
};

// The entries of one folder, read through a directory file descriptor.
// The listing owns the descriptor and a byte buffer that keeps every entry
// of the folder and no more (the kernel's records are read through one
// shared chunk, so a listing kept open per level of a deep walk costs its
// entries, not a read buffer); the buffer is reused when the same listing
// object opens another folder, so a walk allocates nothing per file.
class DirListing
{
public:
    DirListing() = default;
    DirListing(DirListing&&) noexcept = default;
    DirListing& operator=(DirListing&&) noexcept = default;

    // Opens the folder `name` relative to the folder descriptor `parentFd`
    // (AT_FDCWD for a path relative to the working folder or absolute). With
    // `followLink` false a final symbolic link is refused. Returns false
    // (error() holds errno) when the folder cannot be opened.
    bool open(int parentFd, const char* name, bool followLink = false);
    bool open(const QByteArray& path, bool followLink = false)
    {
        return open(kWorkingFolder, path.constData(), followLink);
    }
    // The value of AT_FDCWD, so callers need no system header.
    static constexpr int kWorkingFolder = -100;
    void close();

    // Closes the descriptor but keeps the entries read (to stay within the
    // descriptor limit on very deep walks).
    void releaseDescriptor() { m_fd.reset(); }
    // Takes the descriptor `fd` of the same folder again (see
    // openFolderChecked), keeping the entries read.
    void reattach(FileDescriptor fd) { m_fd = std::move(fd); }

    bool isOpen() const { return m_fd.isValid(); }
    int fd() const { return m_fd.get(); }
    int error() const { return m_error; }

    // Reads every entry of the folder ("." and ".." left out) into the
    // buffer. False (error() set) when the folder cannot be read; the entries
    // read before the failure stay available.
    bool readAll();

    // Steps through the entries read: `cursor` starts at 0; returns false at
    // the end.
    bool next(std::size_t& cursor, DirEntry* entry) const;

    // One metadata call for an entry of this folder, not following links
    // and not triggering automounts. False when the call fails.
    bool status(const char* name, FileStatus* out) const;
    // Metadata of the open folder itself, its mount id included.
    bool selfStatus(FileStatus* out) const;

private:
    FileDescriptor m_fd;
    std::vector<char> m_buffer;
    std::size_t m_used = 0;
    int m_error = 0;
};

// Metadata of a path (links not followed); false when the call fails.
bool pathStatus(const QByteArray& path, FileStatus* out);
// Metadata of the entry `name` of the folder descriptor `folderFd` (a link
// is not followed, an automount not triggered); an empty `name` gives the
// folder itself. False when the call fails (errno set).
bool entryStatus(int folderFd, const char* name, FileStatus* out);

// Metadata of the open folder `folderFd` itself, the id of its mount
// included; false when the call fails (errno set).
bool folderMountStatus(int folderFd, FileStatus* out);
// Metadata of what `path` leads to, symbolic links followed; false when the
// call fails (errno set).
bool followedPathStatus(const QByteArray& path, FileStatus* out);

// Opens the folder `name` of the folder descriptor `parentFd` (a link is
// refused, an automount not triggered) and returns its descriptor when it is
// the folder `dev`/`ino`; an invalid descriptor otherwise (errno ESTALE when
// another object is there). `name` may be ".." to reach the folder holding
// `parentFd`: that is how a deep walk reopens a folder whose descriptor it
// gave up, without ever forming its path.
FileDescriptor openFolderChecked(int parentFd, const char* name, std::uint64_t dev,
                                 std::uint64_t ino);

// Where a folder is mounted: its device and, where the kernel tells it, the
// id of its mount. The id tells a bind mount of a folder of the same file
// system apart from the folder around it, which the device alone cannot.
struct MountIdentity {
    std::uint64_t dev = 0;
    std::uint64_t mountId = 0; // 0 = not known

    static MountIdentity of(const FileStatus& st) { return {st.dev, st.mountId}; }
    // Same device, and the same mount where both ids are known (an old
    // kernel gives none, and then the device alone decides).
    bool sameMount(const MountIdentity& other) const
    {
        return dev == other.dev && (mountId == 0 || other.mountId == 0 || mountId == other.mountId);
    }
};

} // namespace rw
