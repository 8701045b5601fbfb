#include "framework/core/FileRecord.h"

#include "platform/DisplayName.h"

namespace rw
{

const QString& WalkFolder::displayPath() const
{
    if (!m_displayMade) {
        m_display = rw::displayName(path);
        m_displayMade = true;
    }
    return m_display;
}

QByteArray FileRecord::pathBytes() const
{
    QByteArray p;
    const QByteArray& dir = folder ? folder->path : QByteArray();
    p.reserve(dir.size() + qsizetype(name.size()) + 1);
    p.append(dir);
    if (!p.endsWith('/'))
        p.append('/');
    p.append(name.data(), qsizetype(name.size()));
    return p;
}

QString FileRecord::displayName() const
{
    return rw::displayName(QByteArrayView(name.data(), qsizetype(name.size())));
}

QString FileRecord::displayPath() const
{
    QString dir = folder ? folder->displayPath() : QString();
    if (!dir.endsWith('/'))
        dir.append('/');
    return dir + displayName();
}

QString FileRecord::extension() const
{
    const std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos)
        return QString();
    const std::string_view ext = name.substr(dot);
    return rw::displayName(QByteArrayView(ext.data(), qsizetype(ext.size())));
}

} // namespace rw
