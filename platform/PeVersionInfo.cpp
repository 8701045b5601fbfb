#include "platform/PeVersionInfo.h"

#include <QCoreApplication>
#include <QFile>

#include "platform/ReadOnlyOpen.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace rw
{

namespace
{

// Random access to the bytes of a file or a memory image. read() fails
// (false) for any range that is not wholly inside the data.
class ByteSource
{
public:
    virtual ~ByteSource() = default;
    virtual bool read(std::uint64_t offset, void* dst, std::size_t n) const = 0;
};

class SpanSource : public ByteSource
{
public:
    explicit SpanSource(std::span<const std::uint8_t> data) : m_data(data) {}
    bool read(std::uint64_t offset, void* dst, std::size_t n) const override
    {
        if (offset > m_data.size() || n > m_data.size() - offset)
            return false;
        if (n)
            std::memcpy(dst, m_data.data() + offset, n);
        return true;
    }

private:
    std::span<const std::uint8_t> m_data;
};

class FdSource : public ByteSource
{
public:
    FdSource(int fd, std::uint64_t size) : m_fd(fd), m_size(size) {}
    bool read(std::uint64_t offset, void* dst, std::size_t n) const override
    {
        if (offset > m_size || n > m_size - offset)
            return false;
        // A short read means the file shrank under us.
        std::size_t got = 0;
        return readFullyAt(m_fd, static_cast<char*>(dst), n, std::int64_t(offset), &got) &&
               got == n;
    }

private:
    int m_fd;
    std::uint64_t m_size;
};

std::uint16_t u16(const std::uint8_t* p)
{
    return std::uint16_t(p[0] | (p[1] << 8));
}

std::uint32_t u32(const std::uint8_t* p)
{
    return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) |
           (std::uint32_t(p[3]) << 24);
}

constexpr std::uint32_t kResourceTypeVersion = 16;
// A VS_VERSIONINFO block carries a 16-bit length.
constexpr std::uint32_t kMaxVersionResource = 0xFFFF;
constexpr int kMaxBlockDepth = 4;

struct Section {
    std::uint32_t virtualAddress;
    std::uint32_t rawSize;
    std::uint32_t rawPointer;
};

// The parts of a PE file needed to find its resources: the section table
// and the resource directory's address.
class PeImage
{
public:
    explicit PeImage(const ByteSource& src) : m_src(src) {}

    bool open()
    {
        std::uint8_t dos[64];
        if (!m_src.read(0, dos, sizeof dos) || dos[0] != 'M' || dos[1] != 'Z')
            return false;
        const std::uint64_t peOffset = u32(dos + 0x3C);
        std::uint8_t fileHeader[24];
        if (!m_src.read(peOffset, fileHeader, sizeof fileHeader) ||
            std::memcmp(fileHeader, "PE\0\0", 4) != 0)
            return false;
        const unsigned sectionCount = u16(fileHeader + 6);
        const unsigned optionalSize = u16(fileHeader + 20);
        const std::uint64_t optional = peOffset + 24;

        std::uint8_t magic[2];
        if (!m_src.read(optional, magic, 2))
            return false;
        unsigned directories = 0; // offset of the data directories
        switch (u16(magic)) {
        case 0x10B:
            directories = 96;
            break; // PE32
        case 0x20B:
            directories = 112;
            break; // PE32+
        default:
            return false;
        }
        // The resource table is data directory 2.
        if (optionalSize < directories + 3 * 8)
            return false;
        std::uint8_t count[4];
        std::uint8_t resourceDir[8];
        if (!m_src.read(optional + directories - 4, count, 4) || u32(count) < 3 ||
            !m_src.read(optional + directories + 2 * 8, resourceDir, 8))
            return false;
        m_resourceRva = u32(resourceDir);
        if (m_resourceRva == 0 || sectionCount == 0)
            return false;

        std::vector<std::uint8_t> table(std::size_t(sectionCount) * 40);
        if (!m_src.read(optional + optionalSize, table.data(), table.size()))
            return false;
        m_sections.reserve(sectionCount);
        for (unsigned i = 0; i < sectionCount; ++i) {
            const std::uint8_t* s = table.data() + std::size_t(i) * 40;
            m_sections.push_back({u32(s + 12), u32(s + 16), u32(s + 20)});
        }
        return true;
    }

    std::uint32_t resourceRva() const { return m_resourceRva; }

    // Bytes of file data that follow `rva` inside its section; 0 when the
    // address lies in no section's file data.
    std::uint64_t available(std::uint64_t rva, std::uint64_t* fileOffset) const
    {
        for (const Section& s : m_sections) {
            if (rva >= s.virtualAddress && rva - s.virtualAddress < s.rawSize) {
                const std::uint64_t into = rva - s.virtualAddress;
                *fileOffset = std::uint64_t(s.rawPointer) + into;
                return s.rawSize - into;
            }
        }
        return 0;
    }

    bool readRva(std::uint64_t rva, void* dst, std::size_t n) const
    {
        std::uint64_t offset = 0;
        return n <= available(rva, &offset) && m_src.read(offset, dst, n);
    }

private:
    const ByteSource& m_src;
    std::vector<Section> m_sections;
    std::uint32_t m_resourceRva = 0;
};

// Follows the three levels of the resource tree (type, name, language) to
// the first version resource. Offsets in the tree are relative to the
// resource table. The depth is fixed, so a directory that points at itself
// ends at the third level, where a data entry is required.
bool findVersionResource(const PeImage& pe, std::uint32_t* dataRva, std::uint32_t* dataSize)
{
    const std::uint64_t base = pe.resourceRva();
    std::uint64_t dirOffset = 0;
    for (int level = 0; level < 3; ++level) {
        std::uint8_t dir[16];
        if (!pe.readRva(base + dirOffset, dir, sizeof dir))
            return false;
        const unsigned named = u16(dir + 12);
        const unsigned total = named + u16(dir + 14);
        if (total == 0)
            return false;
        std::vector<std::uint8_t> entries(std::size_t(total) * 8);
        if (!pe.readRva(base + dirOffset + 16, entries.data(), entries.size()))
            return false;

        std::optional<unsigned> chosen;
        if (level == 0) {
            // Types with a number follow the named ones.
            for (unsigned i = named; i < total && !chosen; ++i)
                if (u32(entries.data() + i * 8) == kResourceTypeVersion)
                    chosen = i;
        } else {
            chosen = 0; // the first name, then the first language
        }
        if (!chosen)
            return false;
        const std::uint32_t target = u32(entries.data() + *chosen * 8 + 4);
        const bool isDirectory = (target & 0x80000000u) != 0;
        if (level < 2) {
            if (!isDirectory)
                return false;
            dirOffset = target & 0x7FFFFFFFu;
        } else {
            if (isDirectory)
                return false;
            std::uint8_t data[16];
            if (!pe.readRva(base + target, data, sizeof data))
                return false;
            *dataRva = u32(data);
            *dataSize = u32(data + 4);
            return true;
        }
    }
    return false;
}

// One block of a VS_VERSIONINFO tree: length, value length, type, a
// NUL-terminated UTF-16 key, the value and the child blocks, each part
// aligned to 32 bits.
struct Block {
    std::size_t end = 0;
    std::u16string key;
    std::size_t valueStart = 0;
    std::uint16_t valueLength = 0;
    std::size_t childrenStart = 0;
};

std::size_t align4(std::size_t n)
{
    return (n + 3) & ~std::size_t(3);
}

bool parseBlock(std::span<const std::uint8_t> blob, std::size_t offset, std::size_t limit, Block* b)
{
    if (offset > limit || limit - offset < 6)
        return false;
    const std::size_t length = u16(blob.data() + offset);
    if (length < 6 || length > limit - offset)
        return false;
    b->end = offset + length;
    b->valueLength = u16(blob.data() + offset + 2);
    b->key.clear();
    std::size_t p = offset + 6;
    for (;;) {
        if (b->end - p < 2)
            return false; // key without its terminating NUL
        const char16_t c = char16_t(u16(blob.data() + p));
        p += 2;
        if (c == 0)
            break;
        b->key.push_back(c);
    }
    b->valueStart = std::min(align4(p), b->end);
    // The unit of the value length differs between writers (bytes or
    // characters); children only matter in blocks whose value is binary.
    const std::size_t valueEnd = std::min(b->valueStart + b->valueLength, b->end);
    b->childrenStart = std::min(align4(valueEnd), b->end);
    return true;
}

bool sameKey(const std::u16string& key, const char* ascii)
{
    std::size_t i = 0;
    for (; ascii[i]; ++i) {
        if (i >= key.size())
            return false;
        char16_t a = key[i];
        char16_t b = char16_t(static_cast<unsigned char>(ascii[i]));
        if (a >= 'a' && a <= 'z')
            a = char16_t(a - 32);
        if (b >= 'a' && b <= 'z')
            b = char16_t(b - 32);
        if (a != b)
            return false;
    }
    return i == key.size();
}

// The first child of `parent` whose key equals `key` (ASCII, any case).
bool findChild(std::span<const std::uint8_t> blob, const Block& parent, const char* key, Block* out)
{
    std::size_t p = parent.childrenStart;
    // Every child is at least 6 bytes long, so this ends; the count bound
    // is a second guard.
    for (int guard = 0; guard < 0x4000 && p < parent.end; ++guard) {
        Block child;
        if (!parseBlock(blob, p, parent.end, &child))
            return false;
        if (sameKey(child.key, key)) {
            *out = child;
            return true;
        }
        const std::size_t next = align4(child.end);
        if (next <= p)
            return false;
        p = next;
    }
    return false;
}

bool findPath(std::span<const std::uint8_t> blob, const Block& root,
              std::initializer_list<const char*> keys, Block* out)
{
    if (keys.size() > std::size_t(kMaxBlockDepth))
        return false;
    Block current = root;
    for (const char* key : keys)
        if (!findChild(blob, current, key, &current))
            return false;
    *out = current;
    return true;
}

// The text value of a String block: UTF-16 up to its NUL or the block end.
QString stringValue(std::span<const std::uint8_t> blob, const Block& b)
{
    if (b.valueLength == 0)
        return QString();
    std::u16string text;
    for (std::size_t p = b.valueStart; b.end - p >= 2; p += 2) {
        const char16_t c = char16_t(u16(blob.data() + p));
        if (c == 0)
            break;
        text.push_back(c);
    }
    return QString::fromStdU16String(text);
}

QString cleanValue(const QString& value)
{
    QString out;
    out.reserve(value.size());
    for (QChar c : value)
        if (c.category() != QChar::Other_Control)
            out.append(c);
    qsizetype start = 0;
    while (start < out.size() && out.at(start).isSpace())
        ++start;
    return out.mid(start);
}

QStringList linesFromResource(std::span<const std::uint8_t> blob, bool withTab)
{
    Block root;
    if (!parseBlock(blob, 0, blob.size(), &root))
        return {};
    Block translation;
    if (!findPath(blob, root, {"VarFileInfo", "Translation"}, &translation) ||
        translation.valueLength < 4 || translation.end - translation.valueStart < 4)
        return {};
    const unsigned language = u16(blob.data() + translation.valueStart);
    const unsigned codePage = u16(blob.data() + translation.valueStart + 2);
    const QByteArray tableKey = QStringLiteral("%1%2")
                                    .arg(language, 4, 16, QLatin1Char('0'))
                                    .arg(codePage, 4, 16, QLatin1Char('0'))
                                    .toUpper()
                                    .toLatin1();
    Block table;
    const bool haveTable = findPath(blob, root, {"StringFileInfo", tableKey.constData()}, &table);

    QStringList lines;
    for (const VersionField& f : versionFields()) {
        QString value;
        Block entry;
        if (haveTable && findChild(blob, table, f.name, &entry))
            value = cleanValue(stringValue(blob, entry));
        lines.append(QCoreApplication::translate("PeVersionInfo", f.label) +
                     (withTab ? QStringLiteral("\t") : QString()) + value);
    }
    return lines;
}

QStringList linesFromSource(const ByteSource& src, bool withTab)
{
    PeImage pe(src);
    if (!pe.open())
        return {};
    std::uint32_t rva = 0;
    std::uint32_t size = 0;
    if (!findVersionResource(pe, &rva, &size))
        return {};
    std::uint64_t offset = 0;
    const std::uint64_t n =
        std::min<std::uint64_t>({size, kMaxVersionResource, pe.available(rva, &offset)});
    if (n < 6)
        return {};
    std::vector<std::uint8_t> blob(n);
    if (!src.read(offset, blob.data(), blob.size()))
        return {};
    return linesFromResource(blob, withTab);
}

} // namespace

const std::array<VersionField, 11>& versionFields()
{
    static const std::array<VersionField, 11> fields = {{
        {QT_TRANSLATE_NOOP("PeVersionInfo", "Company: "), "CompanyName"},
        {QT_TRANSLATE_NOOP("PeVersionInfo", "File description: "), "FileDescription"},
        {QT_TRANSLATE_NOOP("PeVersionInfo", "File version: "), "FileVersion"},
        {QT_TRANSLATE_NOOP("PeVersionInfo", "Internal name: "), "InternalName"},
        {QT_TRANSLATE_NOOP("PeVersionInfo", "Copyright: "), "LegalCopyright"},
        {QT_TRANSLATE_NOOP("PeVersionInfo", "Trademarks: "), "LegalTrademarks"},
        {QT_TRANSLATE_NOOP("PeVersionInfo", "Original filename: "), "OriginalFilename"},
        {QT_TRANSLATE_NOOP("PeVersionInfo", "Private build info: "), "PrivateBuild"},
        {QT_TRANSLATE_NOOP("PeVersionInfo", "Product name: "), "ProductName"},
        {QT_TRANSLATE_NOOP("PeVersionInfo", "Product version: "), "ProductVersion"},
        {QT_TRANSLATE_NOOP("PeVersionInfo", "Special build info: "), "SpecialBuild"},
    }};
    return fields;
}

QStringList versionInfoLines(std::span<const std::uint8_t> image, bool withTab)
{
    return linesFromSource(SpanSource(image), withTab);
}

QStringList ReadVersionInfo(const QString& path, bool withTab)
{
    return ReadVersionInfo(QFile::encodeName(path), withTab);
}

QStringList ReadVersionInfo(const QByteArray& path, bool withTab)
{
    // Only regular files, opened without blocking and without touching the
    // access time: looking at a file must not change it.
    const FileDescriptor fd = openRegularFileForReading(path);
    if (!fd.isValid())
        return {};
    struct stat st {
    };
    if (::fstat(fd.get(), &st) != 0 || st.st_size <= 0)
        return {};
    return linesFromSource(FdSource(fd.get(), std::uint64_t(st.st_size)), withTab);
}

} // namespace rw
