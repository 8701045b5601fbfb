#include "framework/core/FileDetails.h"

#include "base/SharedRoutines.h"
#include "framework/core/FileTypes.h"
#include "platform/DirListing.h"
#include "platform/DisplayName.h"
#include "platform/Drives.h"
#include "platform/PeVersionInfo.h"

#include <QCoreApplication>
#include <QMimeDatabase>

namespace rw
{

namespace
{
// The texts of this file, translated as one context.
struct FileDetailsTexts {
    Q_DECLARE_TR_FUNCTIONS(FileDetailsTexts)
};
} // namespace

namespace
{

FileTypeDescriber& describer()
{
    static FileTypeDescriber d = FileTypeDescription;
    return d;
}

// The cluster size of the file system holding `path`; 0 when unknown.
std::int64_t clusterSizeOf(const QByteArray& path)
{
    DriveGeometry geometry;
    return pathGeometryBytes(path, &geometry) ? geometry.clusterSize : 0;
}

} // namespace

void setFileTypeDescriber(FileTypeDescriber d)
{
    describer() = d ? std::move(d) : FileTypeDescriber(FileTypeDescription);
}

QString describeFileType(const QString& extension)
{
    return describer()(extension);
}

std::int64_t clustersUsed(std::int64_t size, std::int64_t clusterSize)
{
    if (clusterSize <= 0 || size <= 0)
        return 0;
    return size / clusterSize + (size % clusterSize != 0 ? 1 : 0);
}

QString wastedClusterSpace(std::int64_t size, std::int64_t clusterSize)
{
    if (clusterSize <= 0)
        return QString();
    return FileDetailsTexts::tr("Cluster size: %1  Clusters used : %2")
        .arg(FormatGrouped(clusterSize), FormatGrouped(clustersUsed(size, clusterSize)));
}

QString attributeWords(unsigned attributes)
{
    static const struct {
        unsigned bit;
        const char* word;
    } words[] = {{faReadOnly, " ReadOnly"}, {faHidden, " Hidden"},       {faSysFile, " System"},
                 {faVolumeID, " VolumeID"}, {faDirectory, " Directory"}, {faArchive, " Archive"}};
    QString text;
    for (const auto& w : words)
        if (attributes & w.bit)
            text += QLatin1String(w.word);
    return text;
}

QString dateLabel(PackedDateTime packed, const QDateTime& now)
{
    const QString date = PackedDateText(packed);
    if (date.isEmpty())
        return QStringLiteral("???");
    return date + QStringLiteral("  ") + RelativeDateText(PackedToDate(packed), now);
}

QString fileExtension(const QString& path)
{
    const QString name = path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : name.mid(dot);
}

FileDetails readFileDetails(const QByteArray& path, const QDateTime& now)
{
    FileDetails d;
    FileStatus st;
    if (path.isEmpty() || !pathStatus(path, &st))
        return d;
    d.found = true;
    const std::uint32_t mode = st.mode;
    d.isDirectory = (st.attributes & faDirectory) != 0;
    d.size = st.size;
    const qsizetype slash = path.lastIndexOf('/');
    const QByteArray name = path.mid(slash + 1);
    const QByteArray folder = slash < 0 ? QByteArray(".") : path.left(qMax<qsizetype>(1, slash));
    // "." and ".." name the folder itself, not a hidden entry.
    const bool dotName = name == "." || name == "..";
    d.attributes = attributesFromMode(dotName ? "" : name.constData(), mode);

    d.modified = packFileTime(st.mtime);
    d.accessed = packFileTime(st.atime);
    // A time the file system does not record is 0 ("???").
    d.created = st.btime != 0 ? packFileTime(st.btime) : 0;

    d.fileName = displayName(path);
    d.folderName = displayName(folder);
    d.name = displayName(name);
    // The extension is cut from the bytes, so an escaped character of the
    // shown name (a tab shown as "\t") never moves the dot.
    const qsizetype dot = name.lastIndexOf('.');
    d.fileType = describeFileType(dot < 0 ? QString() : displayName(name.mid(dot)));
    d.sizeBytes = FileDetailsTexts::tr("%1 bytes").arg(FormatGrouped(d.size));
    // A dangling link has no file system of its own; its folder has.
    std::int64_t cluster = clusterSizeOf(path);
    if (cluster <= 0)
        cluster = clusterSizeOf(folder);
    if (cluster > 0)
        d.clusterLine = wastedClusterSpace(d.size, cluster);
    d.creation = dateLabel(d.created, now);
    d.modification = dateLabel(d.modified, now);
    d.access = dateLabel(d.accessed, now);
    d.attributeText = attributeWords(d.attributes);
    return d;
}

QStringList readVersionLines(const QByteArray& path, bool withTab)
{
    // The reader opens the bytes itself: regular files only, without
    // blocking and without touching the access time.
    return ReadVersionInfo(path, withTab);
}

QStringList detailsPrintLines(const FileDetails& details, const QStringList& versionLines)
{
    QStringList lines;
    lines << FileDetailsTexts::tr("Name of file : \t%1").arg(details.fileName)
          << FileDetailsTexts::tr("Type of file : \t%1").arg(details.fileType)
          << QStringLiteral(" ")
          << FileDetailsTexts::tr("Size of file : \t%1").arg(details.sizeBytes)
          << QStringLiteral("               \t") + details.clusterLine << QString()
          << FileDetailsTexts::tr("Creation date     : \t%1").arg(details.creation)
          << FileDetailsTexts::tr("Modification date : \t%1").arg(details.modification)
          << FileDetailsTexts::tr("Access date       : \t%1").arg(details.access) << QString()
          << FileDetailsTexts::tr("Attributes : \t%1").arg(details.attributeText) << QString();
    lines << versionLines;
    return lines;
}

} // namespace rw
