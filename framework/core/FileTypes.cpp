#include "framework/core/FileTypes.h"

#include <QCoreApplication>
#include <QHash>
#include <QMimeDatabase>
#include <QMimeType>
#include <QMutex>
#include <QMutexLocker>
#include <QSet>

#include <algorithm>

namespace rw
{

namespace
{
// The texts of this file, translated as one context.
struct FileTypesTexts {
    Q_DECLARE_TR_FUNCTIONS(FileTypesTexts)
};
} // namespace

namespace
{

// Extension -> class (MIME type name) -> description (its comment).
QString lookUpDescription(const QString& lowerExt)
{
    // Only a real extension is a key of the type registry; a name with a path
    // separator or glob characters would make the lookup match other names.
    if (lowerExt.size() < 2 || !lowerExt.startsWith(QLatin1Char('.')) ||
        lowerExt.contains(QLatin1Char('/')) || lowerExt.contains(QLatin1Char('?')) ||
        lowerExt.contains(QLatin1Char('[')))
        return QString();
    static const QMimeDatabase db;
    const QList<QMimeType> types = db.mimeTypesForFileName(QStringLiteral("x") + lowerExt);
    if (types.isEmpty())
        return QString();
    const QMimeType& type = types.first();
    const QString comment = type.comment();
    return comment.isEmpty() ? type.name() : comment;
}

QMutex& cacheMutex()
{
    static QMutex mutex;
    return mutex;
}

} // namespace

QString FileTypeDescription(const QString& ext)
{
    // Only the pattern "*." stands for names without an extension; the bare
    // "." of a name such as "dotend." is an extension like any other, with
    // nothing after its dot (" File").
    if (ext == QLatin1String("*."))
        return FileTypesTexts::tr("No extension");
    if (ext.isEmpty() || ext.contains(QLatin1Char('*')))
        return QString();

    // The cache holds each extension as asked and lower-cased, so the usual
    // call is one hash hit without building a new string.
    static QHash<QString, QString> cache;
    {
        QMutexLocker lock(&cacheMutex());
        const auto it = cache.constFind(ext);
        if (it != cache.constEnd())
            return *it;
    }
    const QString key = ext.toLower();
    QString result;
    {
        QMutexLocker lock(&cacheMutex());
        const auto it = cache.constFind(key);
        if (it != cache.constEnd())
            result = *it;
    }
    if (result.isEmpty()) {
        result = lookUpDescription(key);
        if (result.isEmpty())
            result = FileTypesTexts::tr("%1 File").arg(ext.mid(1).toUpper());
    }
    QMutexLocker lock(&cacheMutex());
    cache.insert(key, result);
    cache.insert(ext, result);
    return result;
}

void FillWildcardList(QStringList& list, bool withAllFiles)
{
    static const QStringList patterns = [] {
        QSet<QString> seen;
        QStringList out;
        const QMimeDatabase db;
        for (const QMimeType& type : db.allMimeTypes()) {
            for (const QString& suffix : type.suffixes()) {
                // One plain extension of at most four characters: compound
                // suffixes such as "tar.gz" are not extensions of their own.
                if (suffix.isEmpty() || suffix.size() > 4 || suffix.contains(QLatin1Char('.')))
                    continue;
                const QString lower = suffix.toLower();
                if (seen.contains(lower))
                    continue;
                seen.insert(lower);
                out << QStringLiteral("*.") + lower;
            }
        }
        std::sort(out.begin(), out.end());
        return out;
    }();
    list.clear();
    if (withAllFiles)
        list << QStringLiteral("*.*");
    list += patterns;
}

QString ExtensionOf(const QString& name)
{
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : name.mid(dot);
}

} // namespace rw
