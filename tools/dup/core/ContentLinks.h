#pragma once

#include <QList>

#include "framework/core/LinkReplaceRun.h"

namespace rw
{

class KeepOneCopy;

// What "replace marked with links" of "Size and contents" hands to the
// replace run: each leaving (marked) member of a group, with the members of
// its group that stay as the copies it may become a link to. Marked members
// are never copies, so no file is linked to one that goes in the same run.
class ContentLinks
{
public:
    // The items of `groups`, sorted by their shown paths (case-insensitive,
    // as the delete confirmation lists them).
    static QList<LinkReplaceRun::Item> items(const KeepOneCopy& groups);

    // The byte compare of the run (KeepOneCopy::sameContents).
    static LinkReplaceRun::SameBytes sameBytes();
};

} // namespace rw
