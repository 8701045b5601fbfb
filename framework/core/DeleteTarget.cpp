#include "framework/core/DeleteTarget.h"

namespace rw
{

QByteArray DeleteTarget::pathBytes() const
{
    QByteArray p = folder;
    if (!p.endsWith('/'))
        p.append('/');
    return p + name;
}

} // namespace rw
