#pragma once

#include <vector>

#include "framework/core/DeleteTarget.h"

namespace rw
{

class ResultSet;
struct ContentGroups;

// One row of a group of copies as the guards against losing the last copy
// see it: what it names on disk, and whether it goes in this run.
struct GroupMember {
    DeleteTarget target;
    bool leaving = false; // marked: goes in this run
};

// The groups of a comparison over `set` (files or folders alike), each as
// its members in row order; a member is leaving when its record is marked.
std::vector<std::vector<GroupMember>> groupMembers(const ResultSet& set,
                                                   const ContentGroups& groups);

} // namespace rw
