#include "platform/ProfileFile.h"

#include "platform/Folders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace rw {

namespace {

// The file as lines, kept byte-exact apart from the line ends, so a write
// keeps every line it does not change. Invalid UTF-8 is decoded leniently:
// a profile full of junk still reads, it just matches nothing.
struct Lines {
    QStringList lines;
    bool crlf = false;
};

Lines load(const QString& path)
{
    Lines out;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return out;
    const QByteArray data = f.readAll();
    out.crlf = data.contains("\r\n");
    QString text = QString::fromUtf8(data);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QChar('\r'), QChar('\n'));
    out.lines = text.split(QChar('\n'));
    if (!out.lines.isEmpty() && out.lines.last().isEmpty())
        out.lines.removeLast();
    return out;
}

// "[name]" -> name; empty QString (null) for a line that is no section header.
QString sectionName(const QString& line)
{
    const QString t = line.trimmed();
    if (t.size() < 2 || !t.startsWith('['))
        return QString();
    const int close = t.indexOf(']');
    if (close < 0)
        return QString();
    return t.mid(1, close - 1).trimmed();
}

bool splitKey(const QString& line, QString* key, QString* value)
{
    const QString t = line.trimmed();
    if (t.isEmpty() || t.startsWith(';') || t.startsWith('['))
        return false;
    const int eq = t.indexOf('=');
    if (eq <= 0)
        return false;
    *key = t.left(eq).trimmed();
    if (value)
        *value = t.mid(eq + 1).trimmed();
    return true;
}

bool same(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

// Index range [begin, end) of a section's body; begin = -1 when missing.
void findSection(const QStringList& lines, const QString& section, int* header, int* end)
{
    *header = -1;
    *end = lines.size();
    for (int i = 0; i < lines.size(); ++i) {
        const QString name = sectionName(lines[i]);
        if (name.isNull())
            continue;
        if (*header >= 0) {
            *end = i;
            return;
        }
        if (same(name, section))
            *header = i;
    }
}

int findKey(const QStringList& lines, int header, int end, const QString& key)
{
    for (int i = header + 1; i < end; ++i) {
        QString k;
        if (splitKey(lines[i], &k, nullptr) && same(k, key))
            return i;
    }
    return -1;
}

bool save(const QString& path, const Lines& content, QString* error)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly)) {
        *error = f.errorString();
        return false;
    }
    const QByteArray eol = content.crlf ? QByteArrayLiteral("\r\n") : QByteArrayLiteral("\n");
    QByteArray data;
    for (const QString& l : content.lines) {
        data += l.toUtf8();
        data += eol;
    }
    if (f.write(data) != data.size() || !f.commit()) {
        *error = f.errorString();
        return false;
    }
    error->clear();
    return true;
}

} // namespace

ProfileFile::ProfileFile(const QString& name) : m_path(resolveProfilePath(name)) {}

QString ProfileFile::readString(const QString& section, const QString& key,
                                const QString& defaultValue) const
{
    const Lines c = load(m_path);
    int header, end;
    findSection(c.lines, section, &header, &end);
    if (header < 0)
        return defaultValue;
    const int i = findKey(c.lines, header, end, key);
    if (i < 0)
        return defaultValue;
    QString k, v;
    splitKey(c.lines[i], &k, &v);
    return v;
}

long long ProfileFile::readInt(const QString& section, const QString& key,
                               long long defaultValue) const
{
    bool ok = false;
    const long long v = readString(section, key).toLongLong(&ok);
    return ok ? v : defaultValue;
}

QStringList ProfileFile::keys(const QString& section) const
{
    const Lines c = load(m_path);
    int header, end;
    findSection(c.lines, section, &header, &end);
    QStringList out;
    if (header < 0)
        return out;
    for (int i = header + 1; i < end; ++i) {
        QString k;
        if (splitKey(c.lines[i], &k, nullptr))
            out << k;
    }
    return out;
}

bool ProfileFile::hasSection(const QString& section) const
{
    const Lines c = load(m_path);
    int header, end;
    findSection(c.lines, section, &header, &end);
    return header >= 0;
}

bool ProfileFile::writeString(const QString& section, const QString& key, const QString& value)
{
    Lines c = load(m_path);
    int header, end;
    findSection(c.lines, section, &header, &end);
    const QString line = key + '=' + value;
    if (header < 0) {
        if (!c.lines.isEmpty() && !c.lines.last().trimmed().isEmpty())
            c.lines << QString();
        c.lines << '[' + section + ']' << line;
    } else {
        const int i = findKey(c.lines, header, end, key);
        if (i >= 0) {
            c.lines[i] = line;
        } else {
            // After the section's last non-empty line, so blank separators stay.
            int at = end;
            while (at - 1 > header && c.lines[at - 1].trimmed().isEmpty())
                --at;
            c.lines.insert(at, line);
        }
    }
    return save(m_path, c, &m_error);
}

bool ProfileFile::writeInt(const QString& section, const QString& key, long long value)
{
    return writeString(section, key, QString::number(value));
}

bool ProfileFile::removeKey(const QString& section, const QString& key)
{
    Lines c = load(m_path);
    int header, end;
    findSection(c.lines, section, &header, &end);
    if (header < 0)
        return true;
    const int i = findKey(c.lines, header, end, key);
    if (i < 0)
        return true;
    c.lines.removeAt(i);
    return save(m_path, c, &m_error);
}

bool ProfileFile::writeSection(const QString& section, const QList<QPair<QString, QString>>& entries)
{
    Lines c = load(m_path);
    int header, end;
    findSection(c.lines, section, &header, &end);
    QStringList body;
    body << '[' + section + ']';
    for (const auto& e : entries)
        body << e.first + '=' + e.second;
    if (header < 0) {
        if (!c.lines.isEmpty() && !c.lines.last().trimmed().isEmpty())
            c.lines << QString();
        c.lines << body;
    } else {
        // Keep the blank lines that separated this section from the next one.
        int last = end;
        while (last - 1 > header && c.lines[last - 1].trimmed().isEmpty())
            --last;
        for (int i = last - 1; i >= header; --i)
            c.lines.removeAt(i);
        for (int i = 0; i < body.size(); ++i)
            c.lines.insert(header + i, body[i]);
    }
    return save(m_path, c, &m_error);
}

} // namespace rw
