#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

#include <vector>

#include "framework/core/DeleteTarget.h"
#include "tools/dup/core/GroupMembers.h"

namespace rw
{

class ResultSet;
struct ContentGroups;

// The check that deleting or recycling a folder of a "Folders with the same
// contents" group never takes the last copy: a folder may go only when
// another member of its group that is not being deleted still is the folder
// the scan saw and, compared entry by entry just before, holds the same
// names with the same bytes. The comparison vouches only for what it can
// read: a symbolic link, a special file, a folder it cannot read, another
// file system inside either tree, or a tree deeper than it goes makes the
// two differ. The same folder reached through another path (a bind mount)
// is never its own copy (device and inode decide, not path text), and a
// folder inside the one that goes, or holding it, can never compare equal
// (one tree holds the other's entries and more).
class KeepOneFolderCopy
{
public:
    using Member = GroupMember;

    // The groups of a folder comparison over `set`; a member is leaving when
    // its record is marked.
    static KeepOneFolderCopy fromGroups(const ResultSet& set, const ContentGroups& groups);

    void addGroup(std::vector<Member> members);
    int groupCount() const { return int(m_groups.size()); }

    // True when the folder `target` may go: it is in a group, still the
    // folder the scan saw, and a staying member holds the same tree.
    bool mayGo(const DeleteTarget& target) const;

    // The heading of the report of the folders kept.
    static QString keptNotice();

    // True when the open folders hold the same tree: the same names (bytes),
    // each a regular file with the same bytes (KeepOneCopy::sameContents)
    // or a folder on the same mount as the top one with the same tree, down
    // to `maxDepth` levels below.
    static bool sameTree(int folderFdA, int folderFdB, int maxDepth = 128);

private:
    std::vector<std::vector<Member>> m_groups;
    QHash<QByteArray, int> m_groupOfPath;
};

} // namespace rw
