#pragma once

#include <QByteArray>

#include <cstdint>

#include "platform/DirListing.h"
#include "platform/FileIdentity.h"

namespace rw
{

class SafeFolder;

// Replaces one file by a link to another file with the same bytes, so the
// path still opens those bytes and the space of the old file is freed. One
// object serves one file: openFile() opens the file to replace, openKept()
// the copy it becomes a link to (the caller compares the two open files'
// bytes in between), replace() does it.
//
// The link is a reflink (a clone sharing the kept copy's extents,
// ioctl(FICLONE)) where the file system can make one, else a hard link
// (linkat). It is made under a temporary name in the replaced file's folder
// and swapped with the file by renameat2(RENAME_EXCHANGE), so the path never
// goes missing and never holds other bytes; the old file is then removed
// from its temporary name. Everything is relative to the folders' open
// descriptors (SafeFolder: reached without any link), and every name is
// checked to be the object expected just before it is used: a folder or
// file swapped meanwhile makes the step fail without touching anything.
//
// A reflink is a file of its own: it gets the replaced file's permission
// bits, owner, times and extended attributes (ACLs, capabilities, labels). A hard link is the kept
// copy's inode and keeps the kept copy's, which attributesKept() tells.
class LinkReplace
{
public:
    enum class Kind : std::uint8_t { None, Reflink, HardLink };
    enum class Result : std::uint8_t {
        Done,            // the name now holds the link; the old file is gone
        Changed,         // the file or the kept copy was written to since opened: left
        Replaced,        // a name no longer holds the object expected: left
        OtherFileSystem, // neither link kind can join the two files: left
        Failed,          // the system refused; error() holds errno
    };

    LinkReplace() = default;

    // Opens the entry `name` of `folder` as the file to replace; it must be
    // a regular file and, when known, the object `expected`. Its metadata is
    // noted so that a later write to it is seen. False when it cannot be
    // opened or is another object (error() set).
    bool openFile(const SafeFolder& folder, const char* name, const FileIdentity& expected);
    // Opens the kept copy the same way (any earlier kept copy is closed).
    bool openKept(const SafeFolder& folder, const char* name, const FileIdentity& expected);

    int fileFd() const { return m_file.get(); }
    int keptFd() const { return m_kept.get(); }
    // The size of the file to replace as opened; -1 before openFile().
    std::int64_t fileSize() const { return m_file.isValid() ? m_fileSize : -1; }
    // True when the file and the kept copy are one inode (two names of one
    // file): replacing one by the other would change nothing.
    bool sameInode() const;

    // Which kind of link replace() would make between the open kept copy and
    // a file in `folder`, found out without touching any name: a clone into
    // an unnamed file of the folder (O_TMPFILE) for a reflink, the mount the
    // two live on for a hard link. None when neither can be made.
    Kind possibleKind(const SafeFolder& folder) const;

    // Replaces the file by a link to the kept copy (both opened above from
    // `folder` and `keptFolder`, both unchanged since). A reflink is tried
    // first unless `hardLinkOnly`. On Done, linkKind() says which link was
    // made, attributesKept() whether the file's permissions, owner, times
    // and extended attributes were all kept, and freed() whether the old file's last name went (its
    // space is free). Nothing is changed on any other result.
    Result replace(const SafeFolder& folder, const char* name, const SafeFolder& keptFolder,
                   const char* keptName, bool hardLinkOnly = false);

    Kind linkKind() const { return m_kind; }
    bool attributesKept() const { return m_attributesKept; }
    bool freed() const { return m_freed; }
    int error() const { return m_error; }

    // The prefix of the temporary names the links are made under.
    static const char* temporaryPrefix();

private:
    // Metadata that changes when a file is written to.
    struct Stamp {
        std::uint64_t dev = 0;
        std::uint64_t ino = 0;
        std::int64_t size = 0;
        std::int64_t mtimeSec = 0;
        std::int64_t mtimeNsec = 0;
        std::int64_t ctimeSec = 0;
        std::int64_t ctimeNsec = 0;
    };
    static bool stampOf(int fd, Stamp* out);
    // True when the open file's stamp is still `was`; `withCtime` false
    // leaves out the change time (a rename changes it).
    static bool unchanged(int fd, const Stamp& was, bool withCtime);
    bool bothUnchanged(bool fileCtime, bool keptCtime) const;
    Result fail(Result result, int error);
    // Makes the link at a fresh temporary name of `folder`; Done with the
    // name in `tmp`.
    Result makeReflink(const SafeFolder& folder, QByteArray* tmp);
    Result makeHardLink(const SafeFolder& folder, const SafeFolder& keptFolder,
                        const char* keptName, QByteArray* tmp);

    FileDescriptor m_file;
    FileDescriptor m_kept;
    Stamp m_fileStamp;
    Stamp m_keptStamp;
    std::int64_t m_fileSize = 0;
    std::uint32_t m_fileMode = 0;
    std::uint32_t m_fileUid = 0;
    std::uint32_t m_fileGid = 0;
    std::int64_t m_atimeSec = 0;
    std::int64_t m_atimeNsec = 0;
    Kind m_kind = Kind::None;
    bool m_attributesKept = false;
    bool m_freed = false;
    int m_error = 0;
};

} // namespace rw
