#include "tools/dup/core/ContentLinks.h"

#include <algorithm>

#include "tools/dup/core/KeepOneCopy.h"

namespace rw
{

QList<LinkReplaceRun::Item> ContentLinks::items(const KeepOneCopy& groups)
{
    QList<LinkReplaceRun::Item> out;
    for (const std::vector<KeepOneCopy::Member>& group : groups.groups()) {
        QList<DeleteTarget> staying;
        for (const KeepOneCopy::Member& m : group)
            if (!m.leaving)
                staying.append(m.target);
        for (const KeepOneCopy::Member& m : group)
            if (m.leaving)
                out.append({m.target, staying});
    }
    // The delete confirmation's order: sorted by shown path.
    std::stable_sort(
        out.begin(), out.end(), [](const LinkReplaceRun::Item& a, const LinkReplaceRun::Item& b) {
            const int c = QString::compare(a.target.shown, b.target.shown, Qt::CaseInsensitive);
            return c != 0 ? c < 0 : a.target.shown < b.target.shown;
        });
    return out;
}

LinkReplaceRun::SameBytes ContentLinks::sameBytes()
{
    return &KeepOneCopy::sameContents;
}

} // namespace rw
