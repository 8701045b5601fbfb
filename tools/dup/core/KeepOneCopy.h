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
class SafeFolder;
struct ContentGroups;

// The check that deleting or recycling a file of a content group never
// takes the last copy: a file may go only when another member of its group
// that is not being deleted still exists as the object the scan saw and
// holds, byte for byte, the same contents as the file about to go. Another
// name of the very same inode (a hard link that stays) counts as such a
// copy: the contents stay reachable through it. The file's own directory
// entry reached through another path (a bind mount, a folder given twice)
// never does: entries are told apart by their folder's device and inode
// and their name's bytes, not by path text, and a file whose link count
// is 1 has no other name at all.
class KeepOneCopy
{
public:
    using Member = GroupMember;

    // The groups of a content comparison over `set`; a member is leaving
    // when its record is marked.
    static KeepOneCopy fromGroups(const ResultSet& set, const ContentGroups& groups);

    // Adds one group (its members in any order).
    void addGroup(std::vector<Member> members);
    int groupCount() const { return int(m_groups.size()); }
    const std::vector<std::vector<Member>>& groups() const { return m_groups; }

    // True when `target` (found in `folder`, already checked to be the
    // object the scan saw) may go. False when it is in no group, when it
    // cannot be read, or when no staying member has its contents.
    bool mayGo(const SafeFolder& folder, const DeleteTarget& target) const;

    // The heading of the report of the files kept.
    static QString keptNotice();

    // True when the two open files hold the same bytes, compared in large
    // blocks. Holes read as zeros, so they are compared as zeros without
    // being read: a range that is a hole in both files is skipped, and one
    // that is a hole in one file must be all zeros in the other.
    static bool sameContents(int fdA, int fdB);

private:
    std::vector<std::vector<Member>> m_groups;
    QHash<QByteArray, int> m_groupOfPath;
};

} // namespace rw
