#pragma once

#include <QByteArray>
#include <QString>

namespace rwtest
{

// A file system that can clone files (reflinks), made for one test: an
// image file in the test's own folder formatted as btrfs (or, where
// mkfs.btrfs is missing, XFS with reflink=1), mounted through a loop device
// inside a MountNamespaceChild so the mount vanishes with the child. Where
// no formatter is installed, made() is false and skipReason() says why;
// where the machine refuses a loop device or the mount, mountAt() says so.
class ReflinkFileSystem
{
public:
    // Makes the image at `image` (a sparse file of a few hundred MiB).
    explicit ReflinkFileSystem(const QByteArray& image);

    bool made() const { return m_made; }
    const QString& skipReason() const { return m_skipReason; }
    // "btrfs" or "xfs".
    const QByteArray& type() const { return m_type; }

    // Mounts the image at the folder `where` through a free loop device
    // that clears itself when unmounted. Call it in the child of a
    // MountNamespaceChild. Empty on success, else why not (to hand back as
    // the answer of a skipped test).
    QByteArray mountAt(const QByteArray& where) const;

private:
    QByteArray m_image;
    QByteArray m_type;
    bool m_made = false;
    QString m_skipReason;
};

} // namespace rwtest
