#include "controls/FileIcon.h"

#include "platform/ReadOnlyOpen.h"

#include <QFile>
#include <QMimeDatabase>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include "platform/DirListing.h"
#include "platform/DisplayName.h"
#include "platform/FileAttributes.h"
#include "platform/FileIdentity.h"

namespace rw
{

namespace
{

// Both icons are drawn at 32 x 32 so that they scale like theme icons.
constexpr int kSize = 32;

QPixmap blankPixmap()
{
    QPixmap pm(kSize, kSize);
    pm.fill(Qt::transparent);
    return pm;
}

QIcon drawDirectoryIcon()
{
    QPixmap pm = blankPixmap();
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x80, 0x60, 0x00), 1));
    // The tab, then the body of the folder.
    QPainterPath tab;
    tab.moveTo(2.5, 8.5);
    tab.lineTo(4.5, 5.5);
    tab.lineTo(12.5, 5.5);
    tab.lineTo(14.5, 8.5);
    tab.closeSubpath();
    p.setBrush(QColor(0xE8, 0xC0, 0x30));
    p.drawPath(tab);
    p.setBrush(QColor(0xFF, 0xD8, 0x50));
    p.drawRect(QRectF(2.5, 8.5, 27, 19));
    p.setPen(QPen(QColor(0xFF, 0xF0, 0xA0), 1));
    p.drawLine(QPointF(3.5, 10), QPointF(28.5, 10));
    return QIcon(pm);
}

QIcon drawNoIcon()
{
    QPixmap pm = blankPixmap();
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x40, 0x40, 0x40), 1));
    p.setBrush(Qt::white);
    // A page with a folded corner.
    QPainterPath page;
    page.moveTo(6.5, 2.5);
    page.lineTo(20.5, 2.5);
    page.lineTo(26.5, 8.5);
    page.lineTo(26.5, 29.5);
    page.lineTo(6.5, 29.5);
    page.closeSubpath();
    p.drawPath(page);
    p.drawPolyline(QPolygonF({QPointF(20.5, 2.5), QPointF(20.5, 8.5), QPointF(26.5, 8.5)}));
    QFont f = p.font();
    f.setPixelSize(16);
    f.setBold(true);
    p.setFont(f);
    p.setPen(QColor(0x20, 0x40, 0xA0));
    p.drawText(QRectF(6, 8, 21, 21), Qt::AlignCenter, QStringLiteral("?"));
    return QIcon(pm);
}

} // namespace

const QIcon& directoryIcon()
{
    static const QIcon icon = drawDirectoryIcon();
    return icon;
}

const QIcon& noIcon()
{
    static const QIcon icon = drawNoIcon();
    return icon;
}

QIcon GetFileIcon(const QByteArray& path)
{
    // What the path leads to, links followed.
    FileStatus st;
    const bool exists = followedPathStatus(path, &st);
    if (exists && (st.attributes & faDirectory))
        return directoryIcon();
    // The name decides by its extension and the content by its first bytes.
    // The content is read through a descriptor opened by the bytes; the
    // decoded name only feeds the extension match. Only regular files are
    // opened: reading a FIFO or a device could block or have side effects.
    static const QMimeDatabase db;
    const QString name = displayName(path.mid(path.lastIndexOf('/') + 1));
    QMimeType type;
    QFile content;
    // Looking at the first bytes must not change the file's access time.
    FileDescriptor fd = exists && FileIdentity::typeOfMode(st.mode) == FileIdentity::Type::File
                            ? openRegularFileForReading(path)
                            : FileDescriptor();
    if (fd.isValid() && content.open(fd.get(), QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        fd.release();
        type = db.mimeTypeForFileNameAndData(name, &content);
    } else {
        type = db.mimeTypeForFile(name, QMimeDatabase::MatchExtension);
    }
    if (type.isValid()) {
        for (const QString& icon : {type.iconName(), type.genericIconName()}) {
            if (!icon.isEmpty() && QIcon::hasThemeIcon(icon))
                return QIcon::fromTheme(icon);
        }
    }
    return noIcon();
}

} // namespace rw
