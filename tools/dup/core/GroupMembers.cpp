#include "tools/dup/core/GroupMembers.h"

#include <string_view>
#include <utility>

#include "framework/core/ResultSet.h"
#include "tools/dup/core/ContentDupFinder.h"

namespace rw
{

std::vector<std::vector<GroupMember>> groupMembers(const ResultSet& set,
                                                   const ContentGroups& groups)
{
    std::vector<std::vector<GroupMember>> out;
    std::vector<GroupMember> members;
    for (std::size_t i = 0; i < groups.rows.size(); ++i) {
        const std::uint32_t rec = groups.rows[i];
        const ResultRecord& r = set.record(rec);
        const ResultSet::Folder& folder = set.folder(r.folder);
        const std::string_view name = set.name(rec);
        GroupMember m;
        m.target.folder = folder.path;
        m.target.folderIdentity = folder.identity;
        m.target.name = QByteArray(name.data(), qsizetype(name.size()));
        m.target.identity = set.identity(rec);
        m.target.shown = set.pathText(rec);
        m.leaving = r.has(ResultRecord::Marked);
        members.push_back(std::move(m));
        if (i + 1 == groups.rows.size() || groups.rowGroup[i + 1] != groups.rowGroup[i])
            out.push_back(std::exchange(members, {}));
    }
    return out;
}

} // namespace rw
