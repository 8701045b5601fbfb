#pragma once

#include <QByteArray>
#include <QString>

#include "platform/DirListing.h"
#include "platform/SafeFolder.h"

namespace rw
{

// Which trash folder an entry goes to, opened (and made where missing)
// without following a link, as the freedesktop.org trash layout has it:
// the home trash for the file system of the home trash, else
// $topdir/.Trash/$uid or $topdir/.Trash-$uid at the top of the entry's own
// file system. The descriptors stay open for the move.
class TrashLocation
{
public:
    // Opens the trash for the entry `entry` (its metadata) of `folder`.
    // False when there is no usable trash on the entry's file system;
    // `errorText` then says why in a sentence for the user.
    bool openFor(const SafeFolder& folder, const FileStatus& entry, QString* errorText);
    // Opens the existing trash folder at `path` and its files/ and info/;
    // false when one of them cannot be opened.
    bool openExisting(const QByteArray& path);

    const SafeFolder& trash() const { return m_trash; }
    const SafeFolder& files() const { return m_files; }
    const SafeFolder& info() const { return m_info; }
    // The top folder of the file system of a top-dir trash; empty for the
    // home trash.
    const QByteArray& topDir() const { return m_topDir; }

    // The Path= value for the entry at the absolute path `original`:
    // absolute for the home trash, relative to topDir() otherwise (not yet
    // encoded).
    QByteArray infoPathOf(const QByteArray& original) const;

    // The home trash path with the links of its existing part resolved: the
    // user's own configuration may lead through a link (a /home that is a
    // link, say), unlike anything a scan found.
    static QByteArray resolvedHomeTrash();
    // The folder the relative Path= values of the trash at `trashPath` are
    // relative to: $topdir for $topdir/.Trash-$uid and $topdir/.Trash/$uid;
    // empty for any other trash.
    static QByteArray topDirOfTrash(const QByteArray& trashPath);

private:
    bool openHome(QString* errorText);
    // Opens $topdir/.Trash/$uid or $topdir/.Trash-$uid in `top`.
    bool openTopDir(const SafeFolder& top, QString* errorText);
    // Makes (0700) or takes the trash `name` of `parent`: it must be a real
    // folder owned by the user.
    bool openOwnTrash(const SafeFolder& parent, const char* name);
    bool openParts();
    void close();

    SafeFolder m_trash;
    SafeFolder m_files;
    SafeFolder m_info;
    QByteArray m_topDir;
};

} // namespace rw
