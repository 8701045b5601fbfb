#include "history/core/NcduJson.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>

#include <limits>

#include "history/core/FolderTotalsBuilder.h"
#include "history/core/HistoryStore.h"

namespace rw
{

namespace
{

// A pull reader over the bytes of an export, a megabyte at a time, so an
// export of millions of entries never sits in memory whole.
class ExportReader
{
public:
    explicit ExportReader(QIODevice& in) : m_in(in) {}

    bool failed() const { return !m_error.isEmpty(); }
    const QString& error() const { return m_error; }

    bool fail(const QString& why)
    {
        if (m_error.isEmpty())
            m_error = QCoreApplication::translate("NcduJson", "not an ncdu export (%1 at byte %2)")
                          .arg(why)
                          .arg(m_offset + m_pos);
        return false;
    }

    int peek()
    {
        if (m_pos >= m_buffer.size() && !refill())
            return -1;
        return static_cast<unsigned char>(m_buffer[m_pos]);
    }
    int get()
    {
        const int c = peek();
        if (c >= 0)
            ++m_pos;
        return c;
    }
    int next() // the next byte that is not white space
    {
        skipSpace();
        return peek();
    }
    void skipSpace()
    {
        for (int c = peek(); c == ' ' || c == '\n' || c == '\r' || c == '\t'; c = peek())
            ++m_pos;
    }
    bool expect(char wanted)
    {
        skipSpace();
        if (get() != static_cast<unsigned char>(wanted))
            return fail(QStringLiteral("'%1' expected").arg(QLatin1Char(wanted)));
        return true;
    }

    bool string(QByteArray* out)
    {
        if (!expect('"'))
            return false;
        out->clear();
        for (;;) {
            const int c = get();
            if (c < 0)
                return fail(QStringLiteral("unfinished text"));
            if (c == '"')
                return true;
            if (c != '\\') {
                out->append(char(c));
                continue;
            }
            const int e = get();
            switch (e) {
            case '"':
                out->append('"');
                break;
            case '\\':
                out->append('\\');
                break;
            case '/':
                out->append('/');
                break;
            case 'b':
                out->append('\b');
                break;
            case 'f':
                out->append('\f');
                break;
            case 'n':
                out->append('\n');
                break;
            case 'r':
                out->append('\r');
                break;
            case 't':
                out->append('\t');
                break;
            case 'u': {
                char32_t code = 0;
                if (!hex4(&code))
                    return false;
                if (code >= 0xD800 && code < 0xDC00 && peek() == '\\') {
                    ++m_pos;
                    char32_t low = 0;
                    if (get() != 'u' || !hex4(&low) || low < 0xDC00 || low > 0xDFFF)
                        return fail(QStringLiteral("broken surrogate pair"));
                    code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
                }
                appendUtf8(out, code);
                break;
            }
            default:
                return fail(QStringLiteral("unknown escape"));
            }
        }
    }

    // A JSON number; only its whole part is kept (sizes and times are whole).
    bool number(std::int64_t* out)
    {
        skipSpace();
        bool negative = false;
        if (peek() == '-') {
            negative = true;
            ++m_pos;
        }
        if (peek() < '0' || peek() > '9')
            return fail(QStringLiteral("number expected"));
        std::uint64_t value = 0;
        for (int c = peek(); c >= '0' && c <= '9'; c = peek()) {
            ++m_pos;
            const std::uint64_t digit = std::uint64_t(c - '0');
            if (value > (std::uint64_t(std::numeric_limits<std::int64_t>::max()) - digit) / 10)
                return fail(QStringLiteral("number too large"));
            value = value * 10 + digit;
        }
        if (peek() == '.') {
            ++m_pos;
            while (peek() >= '0' && peek() <= '9')
                ++m_pos;
        }
        if (peek() == 'e' || peek() == 'E') {
            ++m_pos;
            if (peek() == '+' || peek() == '-')
                ++m_pos;
            while (peek() >= '0' && peek() <= '9')
                ++m_pos;
        }
        *out = negative ? -std::int64_t(value) : std::int64_t(value);
        return true;
    }

    bool literal(const char* word)
    {
        for (const char* p = word; *p; ++p)
            if (get() != static_cast<unsigned char>(*p))
                return fail(QStringLiteral("unknown word"));
        return true;
    }

    // true, false; anything else is an error.
    bool boolean(bool* out)
    {
        const int c = next();
        *out = c == 't';
        return literal(c == 't' ? "true" : "false");
    }

    // Any value, passed over. Nesting is bounded: an export's entries hold
    // plain values only, so deep nesting inside one is garbage.
    bool skipValue(int depth = 0)
    {
        if (depth > 32)
            return fail(QStringLiteral("nested too deeply"));
        const int c = next();
        if (c == '"') {
            QByteArray ignored;
            return string(&ignored);
        }
        if (c == '{' || c == '[') {
            const char close = c == '{' ? '}' : ']';
            ++m_pos;
            if (next() == close) {
                ++m_pos;
                return true;
            }
            for (;;) {
                if (c == '{') {
                    QByteArray key;
                    if (!string(&key) || !expect(':'))
                        return false;
                }
                if (!skipValue(depth + 1))
                    return false;
                const int after = next();
                ++m_pos;
                if (after == close)
                    return true;
                if (after != ',')
                    return fail(QStringLiteral("',' expected"));
            }
        }
        if (c == 't')
            return literal("true");
        if (c == 'f')
            return literal("false");
        if (c == 'n')
            return literal("null");
        std::int64_t ignored = 0;
        return number(&ignored);
    }

private:
    bool refill()
    {
        m_offset += m_buffer.size();
        m_buffer = m_in.read(1 << 20);
        m_pos = 0;
        return !m_buffer.isEmpty();
    }
    bool hex4(char32_t* out)
    {
        char32_t v = 0;
        for (int i = 0; i < 4; ++i) {
            const int c = get();
            int d = -1;
            if (c >= '0' && c <= '9')
                d = c - '0';
            else if (c >= 'a' && c <= 'f')
                d = c - 'a' + 10;
            else if (c >= 'A' && c <= 'F')
                d = c - 'A' + 10;
            if (d < 0)
                return fail(QStringLiteral("bad \\u escape"));
            v = v * 16 + char32_t(d);
        }
        *out = v;
        return true;
    }
    static void appendUtf8(QByteArray* out, char32_t c)
    {
        if (c < 0x80) {
            out->append(char(c));
        } else if (c < 0x800) {
            out->append(char(0xC0 | (c >> 6)));
            out->append(char(0x80 | (c & 0x3F)));
        } else if (c < 0x10000) {
            out->append(char(0xE0 | (c >> 12)));
            out->append(char(0x80 | ((c >> 6) & 0x3F)));
            out->append(char(0x80 | (c & 0x3F)));
        } else {
            out->append(char(0xF0 | (c >> 18)));
            out->append(char(0x80 | ((c >> 12) & 0x3F)));
            out->append(char(0x80 | ((c >> 6) & 0x3F)));
            out->append(char(0x80 | (c & 0x3F)));
        }
    }

    QIODevice& m_in;
    QByteArray m_buffer;
    qsizetype m_pos = 0;
    qint64 m_offset = 0;
    QString m_error;
};

// One entry's information object.
struct EntryInfo {
    QByteArray name;
    std::int64_t asize = 0, dsize = 0, mtime = 0, mode = -1;
    std::int64_t dev = -1, ino = 0, nlink = 0;
    bool hardLinked = false, notRegular = false, excluded = false, readError = false;
};

bool readInfo(ExportReader& r, EntryInfo* info)
{
    if (!r.expect('{'))
        return false;
    bool named = false;
    if (r.next() == '}') {
        r.get();
        return r.fail(QStringLiteral("entry without a name"));
    }
    for (;;) {
        QByteArray key;
        if (!r.string(&key) || !r.expect(':'))
            return false;
        bool ok = true;
        if (key == "name") {
            ok = r.string(&info->name);
            named = true;
        } else if (key == "asize") {
            ok = r.number(&info->asize);
        } else if (key == "dsize") {
            ok = r.number(&info->dsize);
        } else if (key == "mtime") {
            ok = r.number(&info->mtime);
        } else if (key == "mode") {
            ok = r.number(&info->mode);
        } else if (key == "dev") {
            ok = r.number(&info->dev);
        } else if (key == "ino") {
            ok = r.number(&info->ino);
        } else if (key == "nlink") {
            ok = r.number(&info->nlink);
        } else if (key == "hlnkc") {
            ok = r.boolean(&info->hardLinked);
        } else if (key == "notreg") {
            ok = r.boolean(&info->notRegular);
        } else if (key == "read_error") {
            ok = r.boolean(&info->readError);
        } else if (key == "excluded") {
            info->excluded = true;
            ok = r.skipValue();
        } else {
            ok = r.skipValue();
        }
        if (!ok)
            return false;
        const int c = r.next();
        r.get();
        if (c == '}')
            break;
        if (c != ',')
            return r.fail(QStringLiteral("',' expected"));
    }
    if (!named)
        return r.fail(QStringLiteral("entry without a name"));
    if (info->asize < 0 || info->dsize < 0)
        return r.fail(QStringLiteral("negative size"));
    return true;
}

// A name inside a folder must be one component: a path built from it must
// not climb out of the folder or into another.
bool validChildName(const QByteArray& name)
{
    return !name.isEmpty() && name != "." && name != ".." && !name.contains('/') &&
           !name.contains('\0');
}

constexpr qsizetype kLongestPath = 16 * 1024;

bool isSymbolicLink(std::int64_t mode)
{
    return mode >= 0 && (mode & 0170000) == 0120000;
}

} // namespace

bool readNcduExport(QIODevice& in, NcduScan* out, QString* error)
{
    ExportReader r(in);
    *out = NcduScan();
    const auto finish = [&](bool ok) {
        if (!ok && error)
            *error = r.error();
        return ok;
    };
    std::int64_t major = 0, minor = 0;
    if (!r.expect('[') || !r.number(&major) || !r.expect(',') || !r.number(&minor) ||
        !r.expect(','))
        return finish(false);
    if (major != 1)
        return finish(r.fail(QStringLiteral("version %1 is not read").arg(major)));
    // The header: only the time and our own host name are of use.
    if (!r.expect('{'))
        return finish(false);
    if (r.next() == '}') {
        r.get();
    } else {
        for (;;) {
            QByteArray key;
            if (!r.string(&key) || !r.expect(':'))
                return finish(false);
            bool ok = true;
            if (key == "timestamp") {
                ok = r.number(&out->taken);
            } else if (key == "host" && r.next() == '"') {
                QByteArray host;
                ok = r.string(&host);
                out->host = QString::fromUtf8(host);
            } else {
                ok = r.skipValue();
            }
            if (!ok)
                return finish(false);
            const int c = r.next();
            r.get();
            if (c == '}')
                break;
            if (c != ',')
                return finish(r.fail(QStringLiteral("',' expected")));
        }
    }
    if (!r.expect(',') || !r.expect('['))
        return finish(false);

    FolderTotalsBuilder totals;
    EntryInfo rootInfo;
    if (!readInfo(r, &rootInfo))
        return finish(false);
    out->root = rootInfo.name;
    if (rootInfo.readError)
        totals.markIncomplete();
    struct Open {
        int index;
        QByteArray rel;
        std::int64_t dev;
    };
    // The folders being read, innermost last: an explicit stack, so a deep
    // tree cannot exhaust the call stack.
    std::vector<Open> open;
    open.push_back({totals.addFolder(QByteArray("")), QByteArray(""),
                    std::max<std::int64_t>(0, rootInfo.dev)});
    while (!open.empty()) {
        const int c = r.next();
        r.get();
        if (c == ']') {
            open.pop_back();
            continue;
        }
        if (c != ',')
            return finish(r.fail(QStringLiteral("',' or ']' expected")));
        const Open& here = open.back();
        const int kind = r.next();
        if (kind == '[') {
            r.get();
            EntryInfo info;
            if (!readInfo(r, &info))
                return finish(false);
            if (!validChildName(info.name))
                return finish(r.fail(QStringLiteral("invalid name")));
            if (info.readError)
                totals.markIncomplete();
            QByteArray rel = here.rel.isEmpty() ? info.name : here.rel + '/' + info.name;
            // Every folder keeps its whole path: a depth no real tree has
            // would make that memory grow with the square of the depth.
            if (rel.size() > kLongestPath)
                return finish(r.fail(QStringLiteral("path too long")));
            const std::int64_t dev = info.dev >= 0 ? info.dev : here.dev;
            const int index = totals.addFolder(rel);
            open.push_back({index, std::move(rel), dev});
        } else if (kind == '{') {
            EntryInfo info;
            if (!readInfo(r, &info))
                return finish(false);
            if (!validChildName(info.name))
                return finish(r.fail(QStringLiteral("invalid name")));
            if (info.readError)
                totals.markIncomplete();
            // Left out as our scans leave them out: what the exporter did
            // not look into, and symbolic links (or any entry that is not a
            // plain file when the export does not say what it is).
            if (info.excluded || (info.notRegular && (info.mode < 0 || isSymbolicLink(info.mode))))
                continue;
            const std::int64_t dev = info.dev >= 0 ? info.dev : here.dev;
            const std::uint64_t links =
                info.nlink > 0 ? std::uint64_t(info.nlink) : (info.hardLinked ? 2 : 1);
            totals.addFile(here.index, info.asize, info.dsize, info.mtime, std::uint64_t(dev),
                           std::uint64_t(info.ino), links);
        } else {
            return finish(r.fail(QStringLiteral("entry expected")));
        }
    }
    if (!r.expect(']'))
        return finish(false);
    r.skipSpace();
    if (r.peek() >= 0)
        return finish(r.fail(QStringLiteral("text after the end")));
    out->rows = totals.rows();
    out->complete = totals.complete();
    return finish(true);
}

std::int64_t importNcduScan(HistoryStore& store, const QString& file, QString* error,
                            const QString& host)
{
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QCoreApplication::translate("NcduJson", "cannot read %1: %2")
                         .arg(file, in.errorString());
        return 0;
    }
    NcduScan scan;
    QString why;
    if (!readNcduExport(in, &scan, &why)) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(file, why);
        return 0;
    }
    QString name = host;
    if (name.isEmpty())
        name = scan.host;
    if (name.isEmpty())
        name = QFileInfo(file).completeBaseName();
    const std::int64_t id = store.addScan(name, scan.root, scan.taken, QStringLiteral("import"),
                                          scan.complete, scan.rows);
    if (id == 0 && error)
        *error = store.error();
    return id;
}

} // namespace rw
