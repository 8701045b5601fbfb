#pragma once

// Builds small PE files byte by byte for tests: one section holding a
// version resource (type 16, id 1, language 0x409) with a string table and
// a translation table.

#include <QByteArray>
#include <QList>
#include <QString>

#include <cstdint>

namespace rwtest::pe
{

inline void put16(QByteArray& b, int at, std::uint16_t v)
{
    b[at] = char(v & 0xFF);
    b[at + 1] = char(v >> 8);
}

inline void put32(QByteArray& b, int at, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = char((v >> (8 * i)) & 0xFF);
}

inline void pad4(QByteArray& b)
{
    while (b.size() % 4)
        b.append('\0');
}

inline QByteArray utf16z(const QString& s)
{
    QByteArray out;
    for (QChar c : s) {
        out.append(char(c.unicode() & 0xFF));
        out.append(char(c.unicode() >> 8));
    }
    out.append(2, '\0');
    return out;
}

// One block of a version resource: length, value length, type, key, value,
// children, each 32-bit aligned.
inline QByteArray block(const QString& key, const QByteArray& value, std::uint16_t valueLength,
                        std::uint16_t type, const QList<QByteArray>& children = {})
{
    QByteArray b(6, '\0');
    b += utf16z(key);
    pad4(b);
    b += value;
    for (const QByteArray& c : children) {
        pad4(b);
        b += c;
    }
    put16(b, 0, std::uint16_t(b.size()));
    put16(b, 2, valueLength);
    put16(b, 4, type);
    return b;
}

inline QByteArray stringEntry(const QString& name, const QString& value)
{
    return block(name, utf16z(value), std::uint16_t(value.size() + 1), 1);
}

inline QByteArray versionResource(const QString& tableKey, const QList<QByteArray>& strings)
{
    QByteArray fixed(52, '\0');
    put32(fixed, 0, 0xFEEF04BD);
    QByteArray translation(4, '\0');
    put16(translation, 0, 0x0409);
    put16(translation, 2, 0x04E4);
    return block(
        QStringLiteral("VS_VERSION_INFO"), fixed, 52, 0,
        {block(QStringLiteral("StringFileInfo"), {}, 0, 1, {block(tableKey, {}, 0, 1, strings)}),
         block(QStringLiteral("VarFileInfo"), {}, 0, 1,
               {block(QStringLiteral("Translation"), translation, 4, 0)})});
}

// Offsets of the fields the corruption tests change.
struct Layout {
    static constexpr int peHeader = 0x40;
    static constexpr int sectionCount = peHeader + 6;
    static constexpr int optional = peHeader + 24;
    static constexpr int sectionTable = optional + 224;
    static constexpr int rsrc = 0x200; // file offset of the resource section
    static constexpr std::uint32_t rva = 0x1000;
    static constexpr int typeEntry = rsrc + 16; // root directory's one entry
    static constexpr int nameDir = rsrc + 0x18; // second level
    static constexpr int nameEntry = nameDir + 16;
    static constexpr int languageDir = rsrc + 0x30; // third level
    static constexpr int languageEntry = languageDir + 16;
    static constexpr int dataEntry = rsrc + 0x48;
    static constexpr int blob = rsrc + 0x58;
};

// A 32-bit PE file with one section holding a version resource (type 16,
// id 1, language 0x409).
inline QByteArray peFile(const QByteArray& resource)
{
    QByteArray f(Layout::blob, '\0');
    f[0] = 'M';
    f[1] = 'Z';
    put32(f, 0x3C, Layout::peHeader);
    f.replace(Layout::peHeader, 4, QByteArray("PE\0\0", 4));
    put16(f, Layout::peHeader + 4, 0x14C);
    put16(f, Layout::sectionCount, 1);
    put16(f, Layout::peHeader + 20, 224);
    put16(f, Layout::optional, 0x10B);
    put32(f, Layout::optional + 92, 16);
    const std::uint32_t rsrcSize = std::uint32_t(Layout::blob - Layout::rsrc + resource.size());
    put32(f, Layout::optional + 96 + 16, Layout::rva);
    put32(f, Layout::optional + 96 + 20, rsrcSize);
    f.replace(Layout::sectionTable, 5, ".rsrc");
    put32(f, Layout::sectionTable + 8, rsrcSize);
    put32(f, Layout::sectionTable + 12, Layout::rva);
    put32(f, Layout::sectionTable + 16, rsrcSize);
    put32(f, Layout::sectionTable + 20, Layout::rsrc);

    auto directory = [&f](int at, std::uint32_t id, std::uint32_t target) {
        put16(f, at + 14, 1);
        put32(f, at + 16, id);
        put32(f, at + 20, target);
    };
    directory(Layout::rsrc, 16, 0x80000000u | 0x18);
    directory(Layout::nameDir, 1, 0x80000000u | 0x30);
    directory(Layout::languageDir, 0x409, 0x48);
    put32(f, Layout::dataEntry, Layout::rva + (Layout::blob - Layout::rsrc));
    put32(f, Layout::dataEntry + 4, std::uint32_t(resource.size()));
    return f + resource;
}

// A version resource with a few values of table 040904E4.
inline QByteArray sampleResource(const QString& tableKey = QStringLiteral("040904E4"))
{
    return versionResource(
        tableKey,
        {stringEntry("CompanyName", "Acme Tools"),
         // Leading blanks and control characters are dropped.
         stringEntry("FileDescription", "  \tDisk\r tidier"), stringEntry("FileVersion", "2.7.0.1"),
         stringEntry("LegalCopyright", "(c) Acme"), stringEntry("OriginalFilename", "TIDY.EXE"),
         stringEntry("ProductName", "Tidy"), stringEntry("ProductVersion", "2.7")});
}

} // namespace rwtest::pe
