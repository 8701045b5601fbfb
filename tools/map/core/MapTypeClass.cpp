#include "tools/map/core/MapTypeClass.h"

#include <QCoreApplication>
#include <QHash>
#include <QMimeDatabase>
#include <QStringList>

#include <string>
#include <unordered_map>

namespace rw
{

QString mapTypeClassName(MapTypeClass c)
{
    static const char* const names[kMapTypeClassCount] = {
        QT_TRANSLATE_NOOP("rw::MapTypeClass", "Images"),
        QT_TRANSLATE_NOOP("rw::MapTypeClass", "Video"),
        QT_TRANSLATE_NOOP("rw::MapTypeClass", "Audio"),
        QT_TRANSLATE_NOOP("rw::MapTypeClass", "Archives"),
        QT_TRANSLATE_NOOP("rw::MapTypeClass", "Documents"),
        QT_TRANSLATE_NOOP("rw::MapTypeClass", "Text"),
        QT_TRANSLATE_NOOP("rw::MapTypeClass", "Source code"),
        QT_TRANSLATE_NOOP("rw::MapTypeClass", "Programs and libraries"),
        QT_TRANSLATE_NOOP("rw::MapTypeClass", "Disk images"),
        QT_TRANSLATE_NOOP("rw::MapTypeClass", "Packages"),
        QT_TRANSLATE_NOOP("rw::MapTypeClass", "Databases"),
        QT_TRANSLATE_NOOP("rw::MapTypeClass", "Fonts"),
        QT_TRANSLATE_NOOP("rw::MapTypeClass", "Other"),
    };
    return QCoreApplication::translate("rw::MapTypeClass", names[int(c)]);
}

std::uint32_t mapTypeClassColour(MapTypeClass c)
{
    static const std::uint32_t colours[kMapTypeClassCount] = {
        0x4CAF50, // images: green
        0x8E44AD, // video: purple
        0xF39C12, // audio: orange
        0xE74C3C, // archives: red
        0x3498DB, // documents: blue
        0xA9B8C8, // text: light grey-blue
        0x1ABC9C, // code: teal
        0xF1C40F, // programs and libraries: yellow
        0x8D6E63, // disk images: brown
        0xF06292, // packages: pink
        0x9E9D24, // databases: olive
        0xB39DDB, // fonts: violet
        0x9E9E9E, // other: grey
    };
    return colours[int(c)];
}

namespace
{

MapTypeClass classOfOne(const QString& mime)
{
    static const QHash<QString, MapTypeClass> exact = {
        {QStringLiteral("application/pdf"), MapTypeClass::Document},
        {QStringLiteral("application/postscript"), MapTypeClass::Document},
        {QStringLiteral("application/rtf"), MapTypeClass::Document},
        {QStringLiteral("application/msword"), MapTypeClass::Document},
        {QStringLiteral("application/epub+zip"), MapTypeClass::Document},
        {QStringLiteral("application/vnd.ms-excel"), MapTypeClass::Document},
        {QStringLiteral("application/vnd.ms-powerpoint"), MapTypeClass::Document},
        {QStringLiteral("application/zip"), MapTypeClass::Archive},
        {QStringLiteral("application/gzip"), MapTypeClass::Archive},
        {QStringLiteral("application/x-tar"), MapTypeClass::Archive},
        {QStringLiteral("application/x-xz"), MapTypeClass::Archive},
        {QStringLiteral("application/x-bzip"), MapTypeClass::Archive},
        {QStringLiteral("application/x-bzip2"), MapTypeClass::Archive},
        {QStringLiteral("application/zstd"), MapTypeClass::Archive},
        {QStringLiteral("application/x-7z-compressed"), MapTypeClass::Archive},
        {QStringLiteral("application/vnd.rar"), MapTypeClass::Archive},
        {QStringLiteral("application/x-compressed-tar"), MapTypeClass::Archive},
        {QStringLiteral("application/x-xz-compressed-tar"), MapTypeClass::Archive},
        {QStringLiteral("application/x-bzip-compressed-tar"), MapTypeClass::Archive},
        {QStringLiteral("application/x-zstd-compressed-tar"), MapTypeClass::Archive},
        {QStringLiteral("application/java-archive"), MapTypeClass::Archive},
        {QStringLiteral("application/x-cd-image"), MapTypeClass::DiskImage},
        {QStringLiteral("application/x-raw-disk-image"), MapTypeClass::DiskImage},
        {QStringLiteral("application/x-qemu-disk"), MapTypeClass::DiskImage},
        {QStringLiteral("application/x-virtualbox-vdi"), MapTypeClass::DiskImage},
        {QStringLiteral("application/x-virtualbox-vmdk"), MapTypeClass::DiskImage},
        {QStringLiteral("application/vnd.debian.binary-package"), MapTypeClass::Package},
        {QStringLiteral("application/x-rpm"), MapTypeClass::Package},
        {QStringLiteral("application/vnd.flatpak"), MapTypeClass::Package},
        {QStringLiteral("application/vnd.snap"), MapTypeClass::Package},
        {QStringLiteral("application/vnd.appimage"), MapTypeClass::Package},
        {QStringLiteral("application/x-executable"), MapTypeClass::Executable},
        {QStringLiteral("application/x-sharedlib"), MapTypeClass::Executable},
        {QStringLiteral("application/x-object"), MapTypeClass::Executable},
        {QStringLiteral("application/x-archive"), MapTypeClass::Executable},
        {QStringLiteral("application/x-msdownload"), MapTypeClass::Executable},
        {QStringLiteral("application/x-ms-dos-executable"), MapTypeClass::Executable},
        {QStringLiteral("application/vnd.sqlite3"), MapTypeClass::Database},
        {QStringLiteral("application/x-sqlite3"), MapTypeClass::Database},
        {QStringLiteral("application/vnd.ms-access"), MapTypeClass::Database},
        {QStringLiteral("application/json"), MapTypeClass::Text},
        {QStringLiteral("application/xml"), MapTypeClass::Text},
        {QStringLiteral("application/x-yaml"), MapTypeClass::Text},
        {QStringLiteral("application/javascript"), MapTypeClass::Code},
        {QStringLiteral("application/x-shellscript"), MapTypeClass::Code},
        {QStringLiteral("application/x-perl"), MapTypeClass::Code},
        {QStringLiteral("application/x-php"), MapTypeClass::Code},
        {QStringLiteral("application/x-ruby"), MapTypeClass::Code},
        {QStringLiteral("application/sql"), MapTypeClass::Code},
    };
    if (const auto it = exact.constFind(mime); it != exact.cend())
        return *it;
    if (mime.startsWith(QLatin1String("image/")))
        return MapTypeClass::Image;
    if (mime.startsWith(QLatin1String("video/")))
        return MapTypeClass::Video;
    if (mime.startsWith(QLatin1String("audio/")))
        return MapTypeClass::Audio;
    if (mime.startsWith(QLatin1String("font/")) ||
        mime.startsWith(QLatin1String("application/x-font")))
        return MapTypeClass::Font;
    if (mime.startsWith(QLatin1String("text/x-")) && mime != QLatin1String("text/x-log"))
        return MapTypeClass::Code;
    if (mime.startsWith(QLatin1String("text/")))
        return MapTypeClass::Text;
    if (mime.startsWith(QLatin1String("application/vnd.oasis.opendocument")) ||
        mime.startsWith(QLatin1String("application/vnd.openxmlformats-officedocument")))
        return MapTypeClass::Document;
    return MapTypeClass::Other;
}

} // namespace

MapTypeClass mapTypeClassOfMime(const QString& mimeName)
{
    const MapTypeClass own = classOfOne(mimeName);
    if (own != MapTypeClass::Other)
        return own;
    static const QMimeDatabase db;
    const QMimeType type = db.mimeTypeForName(mimeName);
    if (!type.isValid())
        return MapTypeClass::Other;
    // A MIME type the table does not name is classed by its ancestors
    // (most specific first), so a new kind of source file still is code.
    for (const QString& parent : type.allAncestors()) {
        if (parent == QLatin1String("application/octet-stream") ||
            parent == QLatin1String("text/plain"))
            continue;
        const MapTypeClass c = classOfOne(parent);
        if (c != MapTypeClass::Other)
            return c;
    }
    return type.inherits(QStringLiteral("text/plain")) ? MapTypeClass::Text : MapTypeClass::Other;
}

struct MapTypeClassifier::Cache {
    QMimeDatabase db;
    std::unordered_map<std::string, MapTypeClass> byExtension;
    std::string key; // reused, so a lookup allocates nothing for short keys
};

MapTypeClassifier::MapTypeClassifier() : m_cache(new Cache) {}

MapTypeClassifier::~MapTypeClassifier()
{
    delete m_cache;
}

MapTypeClass MapTypeClassifier::classOf(std::string_view name)
{
    // The key is the name from its first dot after the start ("x.tar.gz"
    // keeps ".tar.gz"), lower-cased; a name without one is keyed whole,
    // behind a '/' (no name holds one) so "Makefile" is not ".makefile".
    const std::size_t dot = name.find('.', 1);
    std::string& key = m_cache->key;
    key.clear();
    if (dot == std::string_view::npos) {
        key.push_back('/');
        key.append(name);
    } else {
        key.append(name.substr(dot));
    }
    for (char& c : key)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    if (const auto it = m_cache->byExtension.find(key); it != m_cache->byExtension.end())
        return it->second;
    const QString text = QString::fromUtf8(name.data(), qsizetype(name.size()));
    const QMimeType type = m_cache->db.mimeTypeForFile(text, QMimeDatabase::MatchExtension);
    const MapTypeClass c = mapTypeClassOfMime(type.name());
    // Capped: names full of dots ("a.b.c.d…") must not grow it forever.
    if (m_cache->byExtension.size() < 100000)
        m_cache->byExtension.emplace(key, c);
    return c;
}

} // namespace rw
