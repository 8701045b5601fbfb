#include "framework/core/WalkExclusions.h"

#include <QFile>

namespace rw
{

void WalkExclusions::add(const QByteArray& pattern)
{
    QByteArray p = pattern;
    if (!p.contains('/')) {
        if (!p.isEmpty())
            m_names.emplace_back(p);
        return;
    }
    // "/build/" and "build/" both name the folder "build" of the root.
    while (p.startsWith('/'))
        p.remove(0, 1);
    while (p.endsWith('/'))
        p.chop(1);
    if (!p.isEmpty())
        m_paths.emplace_back(p);
}

bool WalkExclusions::excludes(std::string_view name, std::string_view relative) const
{
    for (const GlobPattern& g : m_names)
        if (g.matches(name))
            return true;
    for (const GlobPattern& g : m_paths)
        if (g.matches(relative))
            return true;
    return false;
}

bool WalkExclusions::readPatternFile(const QString& path, QList<QByteArray>* patterns,
                                     QString* error)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        *error = f.errorString();
        return false;
    }
    // A pattern file is a short list; a huge or endless one is refused.
    constexpr qint64 kLimit = 16 * 1024 * 1024;
    const QByteArray data = f.read(kLimit + 1);
    if (f.error() != QFileDevice::NoError) {
        *error = f.errorString();
        return false;
    }
    if (data.size() > kLimit) {
        *error = QStringLiteral("the file is larger than 16 MiB");
        return false;
    }
    for (QByteArray line : data.split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        *patterns << line;
    }
    return true;
}

} // namespace rw
