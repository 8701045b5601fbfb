#include "framework/core/FileRecord.h"

#include <QFile>

namespace rw
{

const QString& WalkFolder::displayPath() const
{
    if (!m_displayMade) {
        m_display = QFile::decodeName(path);
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
    return QFile::decodeName(QByteArray::fromRawData(name.data(), qsizetype(name.size())));
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
    return QFile::decodeName(QByteArray::fromRawData(ext.data(), qsizetype(ext.size())));
}

} // namespace rw
